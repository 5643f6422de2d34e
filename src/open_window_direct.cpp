// The window linked into the program (a build without the window module).
#include "open_window.h"
#include "ui/run_window.h"

namespace tess {

int OpenWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  return RunWindow(argc, argv, settingsPath);
}

int OpenViewer(int argc, char** argv, const std::string& reportPath) {
  return RunViewer(argc, argv, reportPath);
}

}  // namespace tess
