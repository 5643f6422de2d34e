// Interactive start of a build configured without the Qt window.
#include <iostream>

#include "ui/run_window.h"

namespace tess {

int RunWindow(int, char**, const std::optional<std::string>&) {
  std::cerr << "tessaline: this build has no window; give one or two log files\n";
  return 2;
}

int RunViewer(int, char**, const std::string&) {
  std::cerr << "tessaline: this build has no window to show a report in\n";
  return 2;
}

}  // namespace tess
