// The window comes from tessaline-window.so: beside the program in the build
// tree, or where the install put it, relative to the program.
#include <dlfcn.h>
#include <iostream>
#include <string>
#include <unistd.h>

#include "app/settings_location.h"
#include "io/paths.h"
#include "open_window.h"
#include "ui/window_module.h"

namespace tess {

namespace {

// The module's entry `name`, or null after a line on standard error saying
// why it cannot be had.
void* LoadEntry(const char* name) {
  std::string folder = ProgramFolder();
  if (folder.empty()) folder = ".";
  const std::string installed = JoinPath(folder, TESSALINE_WINDOW_MODULE_FROM_PROGRAM);
  std::string failure = installed + ": not found";
  for (const std::string& module : {JoinPath(folder, "tessaline-window.so"), installed}) {
    if (::access(module.c_str(), F_OK) != 0) continue;
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
      failure = ::dlerror();
      break;
    }
    if (void* entry = ::dlsym(handle, name)) return entry;
    failure = module + ": no window entry";
    break;
  }
  std::cerr << "tessaline: cannot load the window: " << failure << '\n';
  return nullptr;
}

}  // namespace

int OpenWindow(int argc, char** argv, const std::optional<std::string>& settingsPath) {
  auto* entry = reinterpret_cast<WindowEntry*>(LoadEntry(kWindowEntryName));
  if (entry == nullptr) return 2;
  return entry(argc, argv, settingsPath ? settingsPath->c_str() : nullptr);
}

int OpenViewer(int argc, char** argv, const std::string& reportPath) {
  auto* entry = reinterpret_cast<ViewerEntry*>(LoadEntry(kViewerEntryName));
  if (entry == nullptr) return 2;
  return entry(argc, argv, reportPath.c_str());
}

}  // namespace tess
