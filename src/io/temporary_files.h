// The temporary files of the runs in progress, so that an interrupted
// program removes them before it dies.
//
// Every file the program creates but no user asked for (a LineWriter's
// temporary, a StagedFile of a result, a report or the settings) is made by
// CreateRegisteredFile (staged_file.h) and unregistered when it is
// published, abandoned or removed with RemoveFile: such a file is always
// registered while it exists. When SIGINT,
// SIGTERM or SIGHUP arrives, the handler installed by
// InstallInterruptCleanup unlinks every registered file, restores the
// signal's default action and raises it again, so the parent sees the
// program die by that signal. Published results are never registered, so an
// interruption leaves the results of earlier runs as they were.
//
// Many threads register and unregister at once (folder comparisons); the
// handler takes no lock and calls only async-signal-safe functions.
#pragma once

#include <csignal>
#include <cstddef>
#include <string>

namespace tess {

/// Installs the cleanup for SIGINT, SIGTERM and SIGHUP. A signal the process
/// was started with ignored (nohup, a background job) stays ignored.
void InstallInterruptCleanup();

/// Adds `path` to the files removed on interruption.
void RegisterTemporaryFile(const std::string& path);
/// Takes `path` off that list (once per registration); unknown paths are
/// ignored.
void UnregisterTemporaryFile(const std::string& path);
/// Number of registered files (for tests).
size_t RegisteredTemporaryFileCount();

/// Brackets the creation of a registered file: the cleanup signals are
/// blocked in this thread, and a handler running on another thread waits
/// until the file is created and registered before it unlinks the list.
/// When the process is already being interrupted, Allowed() is false and
/// the caller must not create the file.
class TemporaryFileCreation {
 public:
  TemporaryFileCreation();
  ~TemporaryFileCreation();
  TemporaryFileCreation(const TemporaryFileCreation&) = delete;
  TemporaryFileCreation& operator=(const TemporaryFileCreation&) = delete;
  bool Allowed() const { return allowed_; }

 private:
  sigset_t saved_;
  bool allowed_ = true;
};

}  // namespace tess
