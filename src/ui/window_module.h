// The entries of the window module (tessaline-window.so), which the program
// loads when it opens the window, so that a batch run never loads Qt.
#pragma once

namespace tess {

/// The names under which the module exports its entries.
constexpr const char* kWindowEntryName = "tessaline_run_window";
constexpr const char* kViewerEntryName = "tessaline_run_viewer";

/// Shows the main window and runs until it closes; returns the exit code.
/// `settingsPath` is null when no settings file is to be used.
using WindowEntry = int(int argc, char** argv, const char* settingsPath);

/// Shows the viewer of the report at `reportPath` until it closes; returns
/// the exit code (2, with a line on standard error, for a report that
/// cannot be read).
using ViewerEntry = int(int argc, char** argv, const char* reportPath);

}  // namespace tess
