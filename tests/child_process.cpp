#include "child_process.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <grp.h>
#include <stdexcept>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace tess::testing {

namespace {

// What the child reports through its pipe when a step fails before the
// binary starts; a pipe closed by the start itself reports nothing.
struct ChildFailure {
  int step;
  int error;
};
enum Step {
  kOpenOut, kOpenErr, kSignals, kFileSizeLimit, kAddressSpaceLimit, kGroups, kGroupIds, kUserIds, kCheckIds,
  kEnterFolder, kStart,
};
constexpr const char* kSteps[] = {
    "open the output file", "open the error file", "set the signals", "set the file-size limit",
    "set the address-space limit", "clear the supplementary groups (setgroups)", "set the group ids (setresgid)",
    "set the user ids (setresuid)", "check the ids after the change", "enter the working folder", "start the binary",
};

// The run's environment as "NAME=value" strings.
std::vector<std::string> Environment(const ChildSpec& spec) {
  std::map<std::string, std::optional<std::string>> env = spec.Env;
  env.emplace("XDG_CONFIG_HOME", spec.ConfigHome);  // Env wins
  std::vector<std::string> entries;
  for (char** e = spec.EmptyEnvironment ? nullptr : environ; e != nullptr && *e != nullptr; ++e) {
    const std::string entry = *e;
    if (env.count(entry.substr(0, entry.find('='))) == 0) entries.push_back(entry);
  }
  for (const auto& [name, value] : env) {
    if (value) entries.push_back(name + "=" + *value);
  }
  return entries;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
  std::vector<char*> pointers;
  for (auto& s : strings) pointers.push_back(s.data());
  pointers.push_back(nullptr);
  return pointers;
}

// In the child: every step up to the start of the binary, with system calls
// only; a failing step is written to `report` and ends the child.
[[noreturn]] void StartInChild(const ChildSpec& spec, const std::string& outPath, const std::string& errPath,
                               const std::string& binary, char* const* argv, char* const* envp, int report) {
  int step = kOpenOut;
  auto fail = [&](int err) {
    const ChildFailure f{step, err};
    [[maybe_unused]] const ssize_t n = ::write(report, &f, sizeof f);
    ::_exit(127);
  };
  // The output files are opened before any change of ids: they stay in a
  // folder of this user's own.
  const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (out < 0 || ::dup2(out, STDOUT_FILENO) < 0) fail(errno);
  step = kOpenErr;
  const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (err < 0 || ::dup2(err, STDERR_FILENO) < 0) fail(errno);
  ::close(out);
  ::close(err);
  // The run starts with every signal at its default (or ignored when
  // asked) and none blocked, whatever the test runner was started with.
  step = kSignals;
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGXFSZ, SIGPIPE}) ::signal(sig, SIG_DFL);
  for (int sig : spec.IgnoredSignals) {
    if (::signal(sig, SIG_IGN) == SIG_ERR) fail(errno);
  }
  sigset_t none;
  sigemptyset(&none);
  ::sigprocmask(SIG_SETMASK, &none, nullptr);
  step = kFileSizeLimit;
  if (spec.FileSizeLimit) {
    const rlimit limit{*spec.FileSizeLimit, *spec.FileSizeLimit};
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) fail(errno);
  }
  step = kAddressSpaceLimit;
  if (spec.AddressSpaceLimit) {
    const rlimit limit{*spec.AddressSpaceLimit, *spec.AddressSpaceLimit};
    if (::setrlimit(RLIMIT_AS, &limit) != 0) fail(errno);
  }
  if (spec.AsNobody) {
    step = kGroups;
    if (::setgroups(0, nullptr) != 0) fail(errno);
    step = kGroupIds;
    if (::setresgid(kNobodyId, kNobodyId, kNobodyId) != 0) fail(errno);
    step = kUserIds;
    if (::setresuid(kNobodyId, kNobodyId, kNobodyId) != 0) fail(errno);
    step = kCheckIds;
    uid_t ru, eu, su;
    gid_t rg, eg, sg;
    if (::getresuid(&ru, &eu, &su) != 0 || ::getresgid(&rg, &eg, &sg) != 0) fail(errno);
    if (ru != kNobodyId || eu != kNobodyId || su != kNobodyId || rg != kNobodyId || eg != kNobodyId ||
        sg != kNobodyId || ::getgroups(0, nullptr) != 0 || ::setuid(0) == 0) {
      fail(0);
    }
  }
  step = kEnterFolder;
  if (::chdir(spec.Cwd.c_str()) != 0) fail(errno);
  step = kStart;
  ::execve(binary.c_str(), argv, envp);
  fail(errno);
  ::_exit(127);  // fail() never returns
}

std::string FailureText(const ChildSpec& spec, const std::string& binary, const ChildFailure& failure) {
  std::string what = "cannot run tessaline";
  if (spec.AsNobody) what += " as nobody (uid and gid " + std::to_string(kNobodyId) + ")";
  what += ": could not " + std::string(kSteps[failure.step]);
  if (failure.step == kEnterFolder) what += " " + spec.Cwd;
  if (failure.step == kStart) what += " " + binary;
  what += ": ";
  what += failure.error != 0 ? std::strerror(failure.error) : "the ids did not all change";
  if (failure.step >= kGroups && failure.step <= kUserIds) {
    what += " (changing user needs root; this test runs as uid " + std::to_string(::geteuid()) + ")";
  }
  if (failure.step == kEnterFolder && spec.AsNobody) {
    what += " (is it, or a folder above it, closed to other users?)";
  }
  return what;
}

}  // namespace

Child::Child(const ChildSpec& spec) {
  const std::string binary = spec.AsNobody ? BinaryForNobody() : TESSALINE_BINARY;
  outPath_ = io_.File("out");
  errPath_ = io_.File("err");
  // Everything the child needs is made before the fork: it only makes
  // system calls.
  std::vector<std::string> argStrings = {binary};
  argStrings.insert(argStrings.end(), spec.Args.begin(), spec.Args.end());
  std::vector<std::string> envStrings = Environment(spec);
  const std::vector<char*> argv = Pointers(argStrings);
  const std::vector<char*> envp = Pointers(envStrings);

  int report[2];
  if (::pipe2(report, O_CLOEXEC) != 0) throw std::runtime_error(std::string("pipe2: ") + std::strerror(errno));
  std::fflush(nullptr);  // the child must not repeat buffered output
  pid_ = ::fork();
  if (pid_ < 0) throw std::runtime_error(std::string("fork: ") + std::strerror(errno));
  if (pid_ == 0) {
    ::close(report[0]);
    StartInChild(spec, outPath_, errPath_, binary, argv.data(), envp.data(), report[1]);
  }
  ::close(report[1]);
  ChildFailure failure{};
  ssize_t got;
  do {
    got = ::read(report[0], &failure, sizeof failure);
  } while (got < 0 && errno == EINTR);
  ::close(report[0]);
  if (got == 0) return;  // the binary runs
  Wait();
  if (got != static_cast<ssize_t>(sizeof failure)) {
    throw std::runtime_error("cannot run tessaline: the child's report was cut short");
  }
  throw std::runtime_error(FailureText(spec, binary, failure));
}

Child::~Child() {
  if (pid_ > 0 && !waited_) {
    ::kill(pid_, SIGKILL);
    Wait();
  }
}

bool Child::Running() {
  if (waited_ || reaped_) return false;
  if (::waitpid(pid_, &status_, WNOHANG) != pid_) return true;
  reaped_ = true;
  return false;
}

void Child::Send(int sig) const { ::kill(pid_, sig); }

ChildEnd Child::Wait() {
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
  end.Out = ReadFile(outPath_);
  end.Err = ReadFile(errPath_);
  return end;
}

bool WaitUntil(Child& child, const std::function<bool()>& ready) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(1);
  while (std::chrono::steady_clock::now() < deadline) {
    if (ready()) return true;
    if (!child.Running()) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return false;
}

}  // namespace tess::testing
