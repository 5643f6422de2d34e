// Helpers shared by the tests: scratch folders, files, settings read back,
// and runs of the built tessaline binary with a settings folder of their
// own, as the current user or as user nobody.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/run_requests.h"

namespace tess::testing {

/// A fresh folder under the system's temporary folder, removed on
/// destruction. It is created with mode 0700, so only its owner (root, in
/// CI and on the developers' machines) can enter it.
///
/// For a run as nobody (RunTessalineAsNobody), every folder that nobody
/// works in, its settings folder included, must be opened first:
/// OpenToEveryone() lets nobody create and remove files there. To make a
/// folder that nobody can enter and list but not write to, call
/// OpenReadOnlyToOthers() (mode 0555 on a folder owned by root): the system
/// then refuses nobody every file created, renamed or removed in it, while
/// root, which permissions never stop, can still clean it up. Files that
/// nobody must read need mode 0644 (WriteFile leaves them to the umask).
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
  /// Mode 0777: every user may enter the folder and create files in it.
  void OpenToEveryone() const;
  /// Mode 0555: every user may enter and list the folder; only root may
  /// change what it holds.
  void OpenReadOnlyToOthers() const;

 private:
  std::string path_;
};

/// Writes DIR/before.log and DIR/after.log with the given bytes and compares
/// them, the differences recorded, into the report DIR/after.dif.
CompareOutcome CompareRecorded(const ScratchDir& dir, const std::string& before, const std::string& after);

/// Names of the entries of `folder`, sorted.
std::vector<std::string> ListFolder(const std::string& folder);

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
bool Exists(const std::string& path);

/// Lines joined with CR LF, each line ended.
std::string CrLf(const std::vector<std::string>& lines);

/// The value of `key` in `section` of the settings file at `path`, as
/// SettingsSnapshot reads it; nullopt when the file, section or key is
/// missing.
std::optional<std::string> ReadSettingIfPresent(const std::string& path, const std::string& section,
                                                const std::string& key);
/// As ReadSettingIfPresent, but empty when the key is missing.
std::string ReadSetting(const std::string& path, const std::string& section, const std::string& key);

struct RunResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

/// Runs the tessaline binary with `args` in folder `cwd`, with
/// XDG_CONFIG_HOME set to `configHome`, to its end (a Child of
/// child_process.h, which starts every run of the binary).
RunResult RunTessaline(const std::vector<std::string>& args, const std::string& cwd,
                       const std::string& configHome);

/// User and group id of nobody, as RunTessalineAsNobody runs.
inline constexpr unsigned kNobodyId = 65534;

/// Runs the tessaline binary like RunTessaline, but as user nobody: real,
/// effective and saved user and group ids kNobodyId, no supplementary
/// groups. Under root the system never refuses a file; as nobody it does,
/// so this is how a test sees the program meet a refused permission.
/// `cwd` and `configHome` must be folders nobody can enter and (for the
/// settings) write to: see ScratchDir::OpenToEveryone(). When the binary's
/// own folder is closed to other users, a copy of it in an open temporary
/// folder is run instead.
///
/// Throws std::runtime_error, which fails the running test with the
/// message, when the run as nobody cannot happen: this process is not root
/// (or lacks the right to change its ids), the ids did not change, nobody
/// cannot enter `cwd`, or cannot start the binary. It never falls back to
/// a run as the current user.
RunResult RunTessalineAsNobody(const std::vector<std::string>& args, const std::string& cwd,
                               const std::string& configHome);

/// The binary as user nobody can start it: the built one, or a copy in an
/// open temporary folder when the build's folders are closed to others.
std::string BinaryForNobody();

/// Folder of the project's sources, and the router captures kept in it
/// (tests/captures, with SOURCES.md naming where each comes from).
std::string SourceDir();
std::string CapturesDir();

/// The captures that CapturesDir()'s SOURCES.md lists: every *.log below
/// it, as sorted paths relative to it, except in a folder with a SOURCES.md
/// of its own (dialects/, which scripts/check-captures.sh checks).
std::vector<std::string> CaptureLogs();

/// Whether the tests run under the address sanitizer, whose allocator and
/// shadow memory take address space of their own (and need more than a low
/// limit of it gives).
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kAddressSanitizer = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
inline constexpr bool kAddressSanitizer = true;
#else
inline constexpr bool kAddressSanitizer = false;
#endif
#else
inline constexpr bool kAddressSanitizer = false;
#endif

/// This process's mappings (lines of /proc/self/maps) and address space in
/// KiB (VmSize), to show that memory goes back whole.
struct AddressSpace {
  size_t Mappings = 0;
  size_t SizeKiB = 0;
};
AddressSpace AddressSpaceNow();

}  // namespace tess::testing
