#include "test_support.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/stat.h>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "app/settings_file.h"
#include "child_process.h"

namespace fs = std::filesystem;

namespace tess::testing {

ScratchDir::ScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "tessaline-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) std::abort();
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  // A folder left read-only (OpenReadOnlyToOthers) is opened again first,
  // for an owner that permissions do stop.
  fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(path_, ec);
}

std::string ScratchDir::File(const std::string& name) const { return path_ + "/" + name; }

std::vector<std::string> ScratchDir::List() const { return ListFolder(path_); }

std::vector<std::string> ListFolder(const std::string& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

void ScratchDir::OpenToEveryone() const { fs::permissions(path_, fs::perms(0777)); }

void ScratchDir::OpenReadOnlyToOthers() const { fs::permissions(path_, fs::perms(0555)); }

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

bool Exists(const std::string& path) { return fs::exists(path); }

std::string CrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

std::optional<std::string> ReadSettingIfPresent(const std::string& path, const std::string& section,
                                                const std::string& key) {
  return SettingsSnapshot::Load(path, section).Value(key);
}

std::string ReadSetting(const std::string& path, const std::string& section, const std::string& key) {
  return ReadSettingIfPresent(path, section, key).value_or("");
}

namespace {

// Whether a user other than the owner, in none of the owning groups, can
// run `path`: every folder on the way searchable by others, the file
// executable by others.
bool OthersCanRun(const fs::path& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
  for (fs::path dir = path.parent_path(); !dir.empty(); dir = dir.parent_path()) {
    if (::stat(dir.c_str(), &st) != 0 || (st.st_mode & S_IXOTH) == 0) return false;
    if (dir == dir.root_path()) break;
  }
  return true;
}

// A copy of the binary in a temporary folder open to everyone, made once
// and removed when the tests end.
class OpenBinaryCopy {
 public:
  OpenBinaryCopy() {
    fs::permissions(dir_.path(), fs::perms(0755));
    path_ = dir_.File("tessaline");
    fs::copy_file(TESSALINE_BINARY, path_);
    fs::permissions(path_, fs::perms(0755));
  }
  const std::string& path() const { return path_; }

 private:
  ScratchDir dir_;
  std::string path_;
};

}  // namespace

std::string BinaryForNobody() {
  if (OthersCanRun(TESSALINE_BINARY)) return TESSALINE_BINARY;
  static const OpenBinaryCopy copy;
  return copy.path();
}

namespace {
RunResult RunAs(const std::vector<std::string>& args, const std::string& cwd, const std::string& configHome,
                bool asNobody) {
  ChildSpec spec;
  spec.Args = args;
  spec.Cwd = cwd;
  spec.ConfigHome = configHome;
  spec.AsNobody = asNobody;
  ChildEnd end = Child(spec).Wait();
  return {end.ExitCode, std::move(end.Out), std::move(end.Err)};
}
}  // namespace

RunResult RunTessaline(const std::vector<std::string>& args, const std::string& cwd,
                       const std::string& configHome) {
  return RunAs(args, cwd, configHome, false);
}

RunResult RunTessalineAsNobody(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& configHome) {
  return RunAs(args, cwd, configHome, true);
}

CompareOutcome CompareRecorded(const ScratchDir& dir, const std::string& before, const std::string& after) {
  WriteFile(dir.File("before.log"), before);
  WriteFile(dir.File("after.log"), after);
  CompareRequest request;
  request.Before = FilesOfLog(dir.File("before.log"), 1, ".srt");
  request.After = FilesOfLog(dir.File("after.log"), 2, ".srt");
  request.ReportPath = dir.File("after.dif");
  request.RecordDifferences = true;
  return CompareLogs(request);
}

std::string SourceDir() { return TESSALINE_SOURCE_DIR; }

std::string CapturesDir() { return SourceDir() + "/tests/captures"; }

std::vector<std::string> CaptureLogs() {
  const fs::path root = CapturesDir();
  std::vector<std::string> logs;
  for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
    if (it->is_directory() && fs::exists(it->path() / "SOURCES.md")) it.disable_recursion_pending();
    if (it->is_regular_file() && it->path().extension() == ".log") {
      logs.push_back(fs::relative(it->path(), root).string());
    }
  }
  std::sort(logs.begin(), logs.end());
  return logs;
}

AddressSpace AddressSpaceNow() {
  AddressSpace space;
  const std::string maps = ReadFile("/proc/self/maps");
  space.Mappings = static_cast<size_t>(std::count(maps.begin(), maps.end(), '\n'));
  const std::string status = ReadFile("/proc/self/status");
  const size_t at = status.find("VmSize:");
  if (at != std::string::npos) space.SizeKiB = std::stoul(status.substr(at + 7));
  return space;
}

}  // namespace tess::testing
