#include "app/settings_location.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace tess {

namespace {
constexpr const char* kFileName = "Tessaline.ini";
}

std::string LocateSettingsFile(const std::string& programFolder) {
  std::string portable = programFolder;
  if (!portable.empty() && portable.back() != '/') portable += '/';
  portable += kFileName;
  if (!programFolder.empty() && ::access(portable.c_str(), W_OK) == 0) return portable;

  std::string config;
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  if (xdg != nullptr && *xdg != '\0') {
    config = xdg;
  } else {
    const char* home = std::getenv("HOME");
    config = std::string(home != nullptr ? home : ".") + "/.config";
  }
  const std::string folder = config + "/tessaline";
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  return folder + "/" + kFileName;
}

std::string ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  return exe.parent_path().string();
}

}  // namespace tess
