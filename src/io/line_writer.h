// Buffered writer of CR LF terminated lines.
//
// In replace mode the lines go to a StagedFile (staged_file.h), which
// reaches the target's name only by Publish(): a failed run leaves an
// existing file of that name as it was and no partial file behind. Results
// and reports are not synced to disk.
//
// Every file a writer creates is a temporary of the run until it is
// published, abandoned or (direct mode) removed with RemoveFile: an
// interrupted program removes it (see temporary_files.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "io/staged_file.h"
#include "io/status.h"

namespace tess {

class LineWriter {
 public:
  enum class Mode { kDirect, kReplaceOnCommit };

  LineWriter() = default;
  /// Removes what was written and not published (or committed).
  ~LineWriter();
  LineWriter(const LineWriter&) = delete;
  LineWriter& operator=(const LineWriter&) = delete;

  /// Creates `path` anew (a leftover of that name is removed first, so a
  /// link there is never followed), or in replace mode a temporary beside it.
  Status Create(const std::string& path, Mode mode);
  /// Appends `line` and CR LF. Failures are kept until Finish/Commit.
  void WriteLine(std::string_view line);
  /// 1-based position in the file of the next line to be written.
  int64_t Position() const { return written_ + 1; }

  /// Flushes and closes. In replace mode the temporary file keeps the
  /// lines (readable at WrittenPath()) until Publish() or destruction. On
  /// failure what was written is removed.
  Status Finish();
  /// Replace mode, after Finish(): renames the temporary over the target.
  Status Publish();
  /// Finish() and, in replace mode, Publish().
  Status Commit();
  /// Closes and removes what was written and not yet published.
  void Abandon();

  /// Where the lines are: the target, or in replace mode the temporary.
  const std::string& WrittenPath() const { return mode_ == Mode::kReplaceOnCommit ? staged_.TempPath() : path_; }

 private:
  void Flush();
  int Fd() const { return mode_ == Mode::kReplaceOnCommit ? staged_.fd() : fd_; }

  int fd_ = -1;         // direct mode
  StagedFile staged_;  // replace mode
  Mode mode_ = Mode::kDirect;
  std::string path_;
  std::string buffer_;
  int64_t written_ = 0;
  Status status_;
};

}  // namespace tess
