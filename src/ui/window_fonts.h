// The fonts of the window. Both name the Japanese font of the design and
// fall back to IPA P Gothic, which has the same metrics, where it is
// missing (as on a plain Debian desktop).
#pragma once

#include <QFont>

namespace tess {

/// The five path fields: the design family, 9.75 points, normal weight.
QFont PathFieldFont();
/// Labels, buttons, check boxes and the extension fields: the Japanese
/// desktop's standard window font, the design family at 9 points, so that
/// every caption fits the size the layout gives its control.
QFont WindowFont();

}  // namespace tess
