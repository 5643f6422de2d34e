// The one way tests start the built tessaline binary: in a folder and with
// a settings folder of its own, with an environment, a file-size limit,
// ignored signals or as user nobody when asked, steered while it runs
// (signals sent in the middle of a run) and collected when it ends.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

#include "test_support.h"

namespace tess::testing {

struct ChildSpec {
  std::vector<std::string> Args;
  std::string Cwd;
  /// XDG_CONFIG_HOME of the run, unless Env says otherwise.
  std::string ConfigHome;
  /// Variables set (a value) or removed (nullopt) for the run.
  std::map<std::string, std::optional<std::string>> Env;
  /// Start from an empty environment instead of this process's: the run
  /// sees XDG_CONFIG_HOME and Env only.
  bool EmptyEnvironment = false;
  /// RLIMIT_FSIZE in bytes, when set. SIGXFSZ keeps its default action: the
  /// program must deal with it itself.
  std::optional<rlim_t> FileSizeLimit;
  /// RLIMIT_AS in bytes, when set: allocations beyond it fail.
  std::optional<rlim_t> AddressSpaceLimit;
  /// Signals the run starts with ignored (as under nohup); every other one
  /// starts at its default, and none is blocked.
  std::vector<int> IgnoredSignals;
  /// Run as user nobody: real, effective and saved user and group ids
  /// kNobodyId, no supplementary groups (BinaryForNobody is started).
  bool AsNobody = false;
};

struct ChildEnd {
  int ExitCode = -1;  // -1 when it died by a signal
  int Signal = 0;     // the signal that ended it, 0 when it exited
  std::string Out;
  std::string Err;
};

/// A started run; Wait() collects how it ended. The constructor returns once
/// the binary runs; it throws std::runtime_error, which fails the running
/// test with the message, when the run cannot start as asked (a run as
/// nobody when this process may not change its ids, a folder nobody cannot
/// enter, ...). It never falls back to another kind of run.
class Child {
 public:
  explicit Child(const ChildSpec& spec);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t Pid() const { return pid_; }
  /// Whether the run is still going (not yet ended).
  bool Running();
  void Send(int sig) const;
  ChildEnd Wait();

 private:
  ScratchDir io_;
  std::string outPath_, errPath_;
  pid_t pid_ = -1;
  int status_ = 0;
  bool reaped_ = false;
  bool waited_ = false;
};

/// Waits until `ready()` holds, checking every millisecond; false when the
/// run ended first or after a minute.
bool WaitUntil(Child& child, const std::function<bool()>& ready);

}  // namespace tess::testing
