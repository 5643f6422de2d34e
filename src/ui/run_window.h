// Interactive start: the main window over the stored settings, or the
// viewer of one report.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// Shows the main window and runs until it closes; returns the exit code.
int RunWindow(int argc, char** argv, const std::optional<std::string>& settingsPath);

/// Reads the report at `reportPath` and shows it in the viewer alone until
/// it closes (exit code 0); a report that cannot be read gives one line on
/// standard error and exit code 2, with no window.
int RunViewer(int argc, char** argv, const std::string& reportPath);

}  // namespace tess
