#include "ui/app_icon.h"

#include <QPixmap>

#include "ui/icon_16.xpm"
#include "ui/icon_32.xpm"

namespace tess {

QIcon AppIcon() {
  QIcon icon;
  icon.addPixmap(QPixmap(kIcon32));
  icon.addPixmap(QPixmap(kIcon16));
  return icon;
}

}  // namespace tess
