#include "ui/app_icon.h"

#include <QString>

// The resources live in a static library, where nothing else would pull
// them into the program.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(tessaline_icons);
    return true;
  }();
  (void)registered;
}

namespace tess {

QIcon AppIcon() {
  RegisterIconResources();
  QIcon icon;
  for (const int size : kAppIconSizes) {
    icon.addFile(QStringLiteral(":/icons/%1x%1/apps/tessaline.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace tess
