// The entry of the window module (tessaline-window.so), which the program
// loads when it opens the window, so that a batch run never loads Qt.
#pragma once

namespace tess {

/// The name under which the module exports its entry.
constexpr const char* kWindowEntryName = "tessaline_run_window";

/// Shows the main window and runs until it closes; returns the exit code.
/// `settingsPath` is null when no settings file is to be used.
using WindowEntry = int(int argc, char** argv, const char* settingsPath);

}  // namespace tess
