// The window comes from tessaline-window.so: beside the program in the build
// tree, or where the install put it, relative to the program.
#include <dlfcn.h>
#include <iostream>
#include <limits.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "open_window.h"
#include "ui/window_module.h"

namespace tess {

namespace {

std::string ProgramFolder() {
  std::vector<char> path(PATH_MAX + 1);
  const ssize_t n = ::readlink("/proc/self/exe", path.data(), PATH_MAX);
  if (n <= 0) return ".";
  const std::string program(path.data(), static_cast<size_t>(n));
  return program.substr(0, program.find_last_of('/'));
}

}  // namespace

int OpenWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  const std::string folder = ProgramFolder();
  std::string failure;
  for (const std::string& module :
       {folder + "/tessaline-window.so", folder + "/" + TESSALINE_WINDOW_MODULE_FROM_PROGRAM}) {
    if (::access(module.c_str(), F_OK) != 0) continue;
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      failure = ::dlerror();
      break;
    }
    auto* entry = reinterpret_cast<WindowEntry*>(::dlsym(handle, kWindowEntryName));
    if (entry == nullptr) {
      failure = module + ": no window entry";
      break;
    }
    return entry(argc, argv, settingsPath ? settingsPath->c_str() : nullptr);
  }
  if (failure.empty()) failure = folder + "/" + TESSALINE_WINDOW_MODULE_FROM_PROGRAM + ": not found";
  std::cerr << "tessaline: cannot load the window: " << failure << '\n';
  return 2;
}

}  // namespace tess
