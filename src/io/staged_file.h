// The one way a file of ours replaces another: the new content goes to a
// hidden temporary file in the target's folder (".tessaline-" and six
// random letters or digits), which takes the target's name by a rename only
// when complete. Readers see the old file or the new one, never a part; a
// failure leaves the target as it was and no temporary behind.
//
// The temporary is registered for interrupt cleanup from before it exists
// until it is renamed or removed (see temporary_files.h).
#pragma once

#include <string>
#include <string_view>

#include "io/status.h"

namespace tess {

/// Whether a replace reaches the disk before it counts as done. Settings
/// do: a crash must not leave an empty file where they were. Sort results
/// and reports do not: they can be made again, and a sync costs more than
/// writing them.
enum class Durability { kRenameOnly, kSynced };

class StagedFile {
 public:
  StagedFile() = default;
  /// Removes the temporary unless it was published.
  ~StagedFile() { Abandon(); }
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  /// Creates a new temporary beside `target` (never an existing name or a
  /// link), with the permissions a new file of the target's would get.
  Status Create(const std::string& target);
  /// The open temporary's descriptor (for its permissions, say).
  int fd() const { return fd_; }
  /// Where the content is until it is published.
  const std::string& TempPath() const { return tempPath_; }
  /// Appends `bytes`; a failure names the target.
  Status Write(std::string_view bytes);
  /// Closes the temporary, synced first when `durability` asks; on failure
  /// it is removed.
  Status Close(Durability durability);
  /// Renames the closed temporary over the target, and with kSynced syncs
  /// the folder so that the rename lasts; on failure the temporary is
  /// removed.
  Status Publish(Durability durability);
  /// Closes and removes the temporary if it was not published.
  void Abandon();

 private:
  int fd_ = -1;
  std::string target_;
  std::string tempPath_;  // set from creation until published or removed
};

/// Writes all of `bytes` to `fd`, again after an interruption; a failure
/// names `file`.
Status WriteAll(int fd, std::string_view bytes, const std::string& file);

/// Creates `path`, which must not exist, as a temporary file registered for
/// interrupt cleanup (registered before it exists, so an interruption can
/// never leave it behind). -1 with errno set on failure.
int CreateRegisteredFile(const std::string& path, unsigned mode);
/// Removes a file of CreateRegisteredFile and takes it off the list, also
/// when it cannot be removed (the run gives it up).
void RemoveRegisteredFile(const std::string& path);

}  // namespace tess
