#include "ui/run_window.h"

#include <QApplication>

#include "ui/app_icon.h"
#include "ui/main_window.h"

namespace tess {

int RunWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  QApplication app(argc, argv);
  QApplication::setWindowIcon(AppIcon());
  MainWindow window;
  window.Load(settingsPath);
  window.show();
  return QApplication::exec();
}

}  // namespace tess
