// The window's failure messages, in Japanese: the program's own refusals
// get the description of their code without a number; a system error gets
// its number and a description from our own table (the system's text for
// numbers it lacks).
#pragma once

#include <optional>
#include <string>

#include "io/status.h"

namespace tess {

/// The Japanese description of the system error `errnum`, or nullopt when
/// the table lacks it.
std::optional<std::string> SystemErrorDescription(int errnum);

/// The text of the window's failure box for `status` (a failure), UTF-8:
/// a first line, the error number when there is one, the description and
/// the file's name (ShownFileName).
std::string WindowFailureText(const Status& status);

/// The text of the window's warning box for a run that finished but could
/// not do its work whole (`status`, a failure such as NoRouteLines): the
/// code's description and the file's name.
std::string WindowWarningText(const Status& status);

}  // namespace tess
