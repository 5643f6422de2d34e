// Interactive start: the window or the viewer of a report, loaded from the
// window module when the program has one.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// Shows the main window and runs until it closes; returns the exit code.
int OpenWindow(int argc, char** argv, const std::optional<std::string>& settingsPath);

/// Shows the viewer of the report at `reportPath` alone and runs until it
/// closes; returns the exit code (2 for a report that cannot be read).
int OpenViewer(int argc, char** argv, const std::string& reportPath);

}  // namespace tess
