// Buffered writer of CR LF terminated lines.
//
// In replace mode the lines go to a hidden temporary file in the target's
// folder, which Commit() renames over the target: a failed run leaves an
// existing file of that name as it was and no partial file behind.
#pragma once

#include <string>
#include <string_view>

#include "io/status.h"

namespace tess {

class LineWriter {
 public:
  enum class Mode { kDirect, kReplaceOnCommit };

  LineWriter() = default;
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  /// Creates `path` anew (a leftover of that name is removed first, so a
  /// link there is never followed), or in replace mode a temporary beside it.
  Status Create(const std::string& path, Mode mode);
  /// Appends `line` and CR LF. Failures are kept until Close/Commit.
  void WriteLine(std::string_view line);
  /// Flushes and closes; in replace mode also renames over the target.
  Status Commit();
  /// Closes and removes what was written (the temporary, or the direct file).
  void Abandon();
  bool IsOpen() const { return fd_ >= 0; }

 private:
  void Flush();

  int fd_ = -1;
  Mode mode_ = Mode::kDirect;
  std::string path_;
  std::string tempPath_;
  std::string buffer_;
  Status status_;
};

}  // namespace tess
