#include "ui/run_window.h"

#include <iostream>

namespace tess {

int RunWindow(int, char**, const std::string&) {
  std::cerr << "tessaline: the window is not part of this build yet\n";
  return 2;
}

}  // namespace tess
