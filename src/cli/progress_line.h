// How far a batch run is, on standard error when that is a terminal: one
// line rewritten in place and erased at the end. Nothing is written when
// standard error is no terminal (a pipe, a file, a test).
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>

namespace tess {

class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err);
  /// Erases the line.
  ~ProgressLine();
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  /// Whether anything is shown at all.
  bool Shown() const { return shown_; }
  /// Replaces the line with `line` ("[3/50] r7.log").
  void Show(const std::string& line);

 private:
  std::ostream& err_;
  bool shown_;
  size_t width_ = 0;
};

/// "[NN%] NAME" while a sort or a comparison reads its logs: the share of
/// `totalBytes` that the run has added to Counter(), shown from a second
/// after the start on, four times a second, by a thread of its own. The
/// thread starts only when the line is shown (and when the system gives
/// one); the destructor stops it and erases the line.
class ReadProgress {
 public:
  ReadProgress(std::ostream& err, std::string name, int64_t totalBytes);
  ~ReadProgress();
  ReadProgress(const ReadProgress&) = delete;
  ReadProgress& operator=(const ReadProgress&) = delete;

  /// The counter the run's request points at (BytesRead).
  std::atomic<int64_t>* Counter() { return &read_; }

 private:
  void Watch();

  ProgressLine line_;
  const std::string name_;
  const int64_t total_;
  std::atomic<int64_t> read_{0};
  std::mutex mutex_;
  std::condition_variable wake_;
  bool done_ = false;  // under mutex_
  std::thread watcher_;
};

}  // namespace tess
