// The program's own icon.
#pragma once

#include <QIcon>

namespace tess {

/// The sizes the icon is drawn at, in pixels: those of the hicolor theme.
constexpr int kAppIconSizes[] = {16, 32, 48, 64, 128, 256};

/// The icon at every size of `kAppIconSizes`: the renderings of
/// packaging/tessaline.svg that are also installed into the icon theme.
QIcon AppIcon();

}  // namespace tess
