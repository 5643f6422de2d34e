// Helpers shared by the tests: scratch folders, files, and runs of the
// built tessaline binary with a settings folder of their own.
#pragma once

#include <string>
#include <vector>

namespace tess::testing {

/// A fresh folder under the system's temporary folder, removed on
/// destruction.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  const std::string& path() const { return path_; }
  /// path() + "/" + name
  std::string File(const std::string& name) const;
  /// Names of the files in the folder, sorted.
  std::vector<std::string> List() const;

 private:
  std::string path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

/// Lines joined with CR LF, each line ended.
std::string CrLf(const std::vector<std::string>& lines);

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

/// Runs the tessaline binary with `args` in folder `cwd`, with
/// XDG_CONFIG_HOME set to `configHome`.
RunResult RunTessaline(const std::vector<std::string>& args, const std::string& cwd,
                       const std::string& configHome);

/// Folder of the project's sources, and of the shared real-world captures
/// (empty when this checkout has none).
std::string SourceDir();
std::string RealWorldDir();

}  // namespace tess::testing
