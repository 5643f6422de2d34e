// Interactive start: the main window over the stored settings.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// Shows the main window and runs until it closes; returns the exit code.
int RunWindow(int argc, char** argv, const std::optional<std::string>& settingsPath);

}  // namespace tess
