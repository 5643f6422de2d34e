// Interactive start: the window, loaded from its module when the program
// has one.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// Shows the main window and runs until it closes; returns the exit code.
int OpenWindow(int argc, char** argv, const std::optional<std::string>& settingsPath);

}  // namespace tess
