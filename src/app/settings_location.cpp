#include "app/settings_location.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

#include "io/paths.h"

namespace tess {

namespace {

constexpr const char* kFileName = "Tessaline.ini";

// Whether a write can replace the file at `path`: it is a regular file (or
// a link to one) that is writable, in a writable folder.
bool UsableInPlace(const std::string& path) {
  char resolved[PATH_MAX];
  if (::realpath(path.c_str(), resolved) == nullptr) return false;
  struct stat st {};
  if (::stat(resolved, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  return ::access(resolved, W_OK) == 0 && ::access(FolderOf(resolved).c_str(), W_OK) == 0;
}

// The variable's value when it is an absolute path.
std::optional<std::string> AbsoluteFromEnv(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || value[0] != kPathSeparator) return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<std::string> LocateSettingsFile(const std::string& programFolder) {
  if (!programFolder.empty()) {
    const std::string portable = JoinPath(programFolder, kFileName);
    if (UsableInPlace(portable)) return portable;
  }
  if (const auto xdg = AbsoluteFromEnv("XDG_CONFIG_HOME")) {
    return JoinPath(JoinPath(*xdg, "tessaline"), kFileName);
  }
  if (const auto home = AbsoluteFromEnv("HOME")) {
    return JoinPath(JoinPath(JoinPath(*home, ".config"), "tessaline"), kFileName);
  }
  return std::nullopt;
}

std::string ProgramFolder() {
  std::error_code ec;
  const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "";
  return FolderOf(exe.string());
}

}  // namespace tess
