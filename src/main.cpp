// Chooses between batch mode (one or more arguments) and the window.
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "app/batch.h"
#include "app/settings_location.h"
#include "ui/run_window.h"

namespace {

bool DisplayAvailable() {
  for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') return true;
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const std::optional<std::string> settingsPath = tess::LocateSettingsFile(tess::ProgramFolder());
  if (argc > 1) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return tess::RunBatch(args, settingsPath, std::cout, std::cerr);
  }
  if (!DisplayAvailable()) {
    std::cerr << "tessaline: cannot open a display\n";
    return 2;
  }
  return tess::RunWindow(argc, argv, settingsPath);
}
