// The program's own icon.
#pragma once

#include <QIcon>

namespace tess {

/// The icon at 32 by 32 and 16 by 16 pixels.
QIcon AppIcon();

}  // namespace tess
