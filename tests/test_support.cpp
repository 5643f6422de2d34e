#include "test_support.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "app/settings_file.h"

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

RunResult RunTessaline(const std::vector<std::string>& args, const std::string& cwd,
                       const std::string& configHome) {
  ScratchDir io;
  const std::string outPath = io.File("out"), errPath = io.File("err");
  std::fflush(nullptr);  // the child must not repeat buffered output
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(cwd.c_str()) != 0) ::_exit(127);
    ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
    if (!std::freopen(outPath.c_str(), "w", stdout) || !std::freopen(errPath.c_str(), "w", stderr)) ::_exit(127);
    std::vector<char*> argv;
    std::string binary = TESSALINE_BINARY;
    argv.push_back(binary.data());
    std::vector<std::string> copies = args;
    for (auto& a : copies) argv.push_back(a.data());
    argv.push_back(nullptr);
    ::execv(binary.c_str(), argv.data());
    ::_exit(127);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  RunResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFile(outPath);
  r.err = ReadFile(errPath);
  return r;
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

// What the child of RunTessalineAsNobody reports through its pipe when a
// step fails before the binary starts.
struct ChildFailure {
  int step;
  int error;
};
constexpr const char* kSteps[] = {
    "open the output file", "open the error file", "clear the supplementary groups (setgroups)",
    "set the group ids (setresgid)", "set the user ids (setresuid)", "check the ids after the change",
    "enter the working folder", "start the binary",
};

}  // namespace

std::string BinaryForNobody() {
  if (OthersCanRun(TESSALINE_BINARY)) return TESSALINE_BINARY;
  static const OpenBinaryCopy copy;
  return copy.path();
}

RunResult RunTessalineAsNobody(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& configHome) {
  const std::string binary = BinaryForNobody();
  ScratchDir io;
  const std::string outPath = io.File("out"), errPath = io.File("err");

  // Everything the child needs is made before the fork: it only makes
  // system calls.
  std::vector<std::string> argStrings = {binary};
  argStrings.insert(argStrings.end(), args.begin(), args.end());
  std::vector<char*> argv;
  for (auto& a : argStrings) argv.push_back(a.data());
  argv.push_back(nullptr);
  std::vector<std::string> envStrings;
  for (char** e = environ; *e != nullptr; ++e) {
    if (!std::string_view(*e).starts_with("XDG_CONFIG_HOME=")) envStrings.emplace_back(*e);
  }
  envStrings.push_back("XDG_CONFIG_HOME=" + configHome);
  std::vector<char*> envp;
  for (auto& e : envStrings) envp.push_back(e.data());
  envp.push_back(nullptr);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe2: ") + std::strerror(errno));
  std::fflush(nullptr);  // the child must not repeat buffered output
  const pid_t pid = ::fork();
  if (pid < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid == 0) {
    ::close(report[0]);
    int step = 0;
    auto fail = [&](int err) {
      const ChildFailure f{step, err};
      [[maybe_unused]] const ssize_t n = ::write(report[1], &f, sizeof f);
      ::_exit(127);
    };
    // The output files are opened while still root: they stay in a folder
    // of root's own.
    const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0) fail(errno);
    step = 1;
    const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (err < 0 || ::dup2(err, STDERR_FILENO) < 0) fail(errno);
    ::close(out);
    ::close(err);
    step = 2;
    if (::setgroups(0, nullptr) != 0) fail(errno);
    step = 3;
    if (::setresgid(kNobodyId, kNobodyId, kNobodyId) != 0) fail(errno);
    step = 4;
    if (::setresuid(kNobodyId, kNobodyId, kNobodyId) != 0) fail(errno);
    step = 5;
    uid_t ru, eu, su;
    gid_t rg, eg, sg;
    if (::getresuid(&ru, &eu, &su) != 0 || ::getresgid(&rg, &eg, &sg) != 0) fail(errno);
    if (ru != kNobodyId || eu != kNobodyId || su != kNobodyId || rg != kNobodyId || eg != kNobodyId ||
        sg != kNobodyId || ::getgroups(0, nullptr) != 0 || ::setuid(0) == 0) {
      fail(0);
    }
    step = 6;
    if (::chdir(cwd.c_str()) != 0) fail(errno);
    step = 7;
    ::execve(binary.c_str(), argv.data(), envp.data());
    fail(errno);
  }
  ::close(report[1]);
  ChildFailure failure{};
  ssize_t got;
  do {
    got = ::read(report[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (got == static_cast<ssize_t>(sizeof failure)) {
    std::string what = "cannot run tessaline as nobody (uid and gid " + std::to_string(kNobodyId) +
                       "): could not " + kSteps[failure.step];
    if (failure.step == 6) what += " " + cwd;
    if (failure.step == 7) what += " " + binary;
    what += ": ";
    what += failure.error != 0 ? std::strerror(failure.error) : "the ids did not all change";
    if (failure.step >= 2 && failure.step <= 5) {
      what += " (changing user needs root; this test runs as uid " + std::to_string(::geteuid()) + ")";
    }
    if (failure.step == 6) what += " (is it, or a folder above it, closed to other users?)";
    throw std::runtime_error(what);
  }
  if (got != 0) throw std::runtime_error("cannot run tessaline as nobody: the child's report was cut short");
  RunResult r;
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadFile(outPath);
  r.err = ReadFile(errPath);
  return r;
}

std::string SourceDir() { return TESSALINE_SOURCE_DIR; }

std::string CapturesDir() { return SourceDir() + "/tests/captures"; }

}  // namespace tess::testing
