#include "ui/window_module.h"

#include <optional>
#include <string>

#include "ui/run_window.h"

extern "C" __attribute__((visibility("default"))) int tessaline_run_window(int argc, char** argv,
                                                                          const char* settingsPath) {
  const std::optional<std::string> path =
      settingsPath == nullptr ? std::nullopt : std::optional<std::string>(settingsPath);
  return tess::RunWindow(argc, argv, path);
}

extern "C" __attribute__((visibility("default"))) int tessaline_run_viewer(int argc, char** argv,
                                                                          const char* reportPath) {
  return tess::RunViewer(argc, argv, reportPath);
}
