#include "ui/run_window.h"

#include <QApplication>

#include "ui/app_icon.h"
#include "ui/frm_tessaline.h"

namespace tess {

int RunWindow(int argc, char** argv, const std::string& settingsPath) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(AppIcon());
  frmTessaline form;
  form.Form_Load(settingsPath);
  form.show();
  return QApplication::exec();
}

}  // namespace tess
