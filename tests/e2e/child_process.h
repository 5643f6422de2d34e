// Runs of the tessaline binary that the test steers while they go on: an
// environment of their own, a file-size limit, user nobody, and signals
// sent in the middle of a run.
#pragma once

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "test_support.h"

namespace tess::testing {

struct ChildSpec {
  std::vector<std::string> Args;
  std::string Cwd;
  std::string ConfigHome;
  /// Variables set (a value) or removed (nullopt) for the run.
  std::map<std::string, std::optional<std::string>> Env;
  /// RLIMIT_FSIZE in bytes, when set. SIGXFSZ keeps its default action: the
  /// program must deal with it itself.
  std::optional<rlim_t> FileSizeLimit;
  /// Run as user nobody (BinaryForNobody, ids kNobodyId).
  bool AsNobody = false;
};

struct ChildEnd {
  int ExitCode = -1;  // -1 when it died by a signal
  int Signal = 0;     // the signal that ended it, 0 when it exited
  std::string Out;
  std::string Err;
};

/// A started run; Wait() collects how it ended.
class Child {
 public:
  explicit Child(const ChildSpec& spec) {
    const std::string binary = spec.AsNobody ? BinaryForNobody() : TESSALINE_BINARY;
    outPath_ = io_.File("out");
    errPath_ = io_.File("err");
    std::vector<std::string> argStrings = {binary};
    argStrings.insert(argStrings.end(), spec.Args.begin(), spec.Args.end());
    std::vector<char*> argv;
    for (auto& a : argStrings) argv.push_back(a.data());
    argv.push_back(nullptr);
    std::map<std::string, std::optional<std::string>> env = spec.Env;
    env["XDG_CONFIG_HOME"] = spec.ConfigHome;
    std::vector<std::string> envStrings;
    for (char** e = environ; *e != nullptr; ++e) {
      const std::string entry = *e;
      if (env.count(entry.substr(0, entry.find('='))) == 0) envStrings.push_back(entry);
    }
    for (const auto& [name, value] : env) {
      if (value) envStrings.push_back(name + "=" + *value);
    }
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);

    std::fflush(nullptr);
    pid_ = ::fork();
    if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
    if (pid_ == 0) {
      const int out = ::open(outPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      const int err = ::open(errPath_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (out < 0 || err < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0) ::_exit(126);
      // The run starts with every signal at its default and none blocked,
      // whatever the test runner was started with.
      for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ, SIGPIPE}) ::signal(sig, SIG_DFL);
      sigset_t none;
      sigemptyset(&none);
      ::sigprocmask(SIG_SETMASK, &none, nullptr);
      if (spec.FileSizeLimit) {
        const rlimit limit{*spec.FileSizeLimit, *spec.FileSizeLimit};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) ::_exit(125);
      }
      if (spec.AsNobody && (::setgroups(0, nullptr) != 0 || ::setresgid(kNobodyId, kNobodyId, kNobodyId) != 0 ||
                            ::setresuid(kNobodyId, kNobodyId, kNobodyId) != 0 || ::setuid(0) == 0)) {
        ::_exit(124);
      }
      if (::chdir(spec.Cwd.c_str()) != 0) ::_exit(123);
      ::execve(binary.c_str(), argv.data(), envp.data());
      ::_exit(122);
    }
  }
  ~Child() {
    if (pid_ > 0 && !waited_) {
      ::kill(pid_, SIGKILL);
      Wait();
    }
  }
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t Pid() const { return pid_; }
  /// Whether the run is still going (not yet ended).
  bool Running() {
    if (waited_ || reaped_) return false;
    if (::waitpid(pid_, &status_, WNOHANG) != pid_) return true;
    reaped_ = true;
    return false;
  }
  void Send(int sig) const { ::kill(pid_, sig); }

  ChildEnd Wait() {
    if (!waited_) {
      if (!reaped_) {
        while (::waitpid(pid_, &status_, 0) < 0 && errno == EINTR) {
        }
      }
      waited_ = true;
    }
    ChildEnd end;
    if (WIFEXITED(status_)) end.ExitCode = WEXITSTATUS(status_);
    if (WIFSIGNALED(status_)) end.Signal = WTERMSIG(status_);
    if (spec_failed(end.ExitCode)) {
      throw std::runtime_error("the child could not start tessaline (step " + std::to_string(end.ExitCode) + ")");
    }
    end.Out = ReadFile(outPath_);
    end.Err = ReadFile(errPath_);
    return end;
  }

 private:
  static bool spec_failed(int code) { return code >= 122 && code <= 126; }

  ScratchDir io_;
  std::string outPath_, errPath_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool reaped_ = false;
  bool waited_ = false;
};

/// Waits until `ready()` holds, checking every millisecond; false when the
/// run ended first or after a minute.
inline bool WaitUntil(Child& child, const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) return true;
    if (!child.Running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

}  // namespace tess::testing
