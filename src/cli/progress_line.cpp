#include "cli/progress_line.h"

#include <algorithm>
#include <chrono>
#include <iostream>
#include <system_error>
#include <unistd.h>

#include "app/run_requests.h"

namespace tess {

namespace {

// A run shorter than this shows nothing; then the line changes this often.
constexpr std::chrono::milliseconds kQuietStart{1000};
constexpr std::chrono::milliseconds kInterval{250};

// "[42%] r1.log" (a log that grew while read stays at 100%).
std::string ReadProgressText(const std::string& name, int64_t read, int64_t total) {
  return "[" + std::to_string(PercentRead(read, total)) + "%] " + name;
}

}  // namespace

ProgressLine::ProgressLine(std::ostream& err) : err_(err), shown_(&err == &std::cerr && ::isatty(2)) {}

ProgressLine::~ProgressLine() {
  if (shown_ && width_ > 0) err_ << "\r" << std::string(width_, ' ') << "\r" << std::flush;
}

void ProgressLine::Show(const std::string& line) {
  if (!shown_) return;
  err_ << "\r" << line << std::string(width_ > line.size() ? width_ - line.size() : 0, ' ') << std::flush;
  width_ = std::max(width_, line.size());
}

ReadProgress::ReadProgress(std::ostream& err, std::string name, int64_t totalBytes)
    : line_(err), name_(std::move(name)), total_(totalBytes) {
  if (!line_.Shown() || total_ <= 0) return;
  try {
    watcher_ = std::thread([this] { Watch(); });
  } catch (const std::system_error&) {
    // No thread to be had: the run goes on without its progress line.
  }
}

ReadProgress::~ReadProgress() {
  if (!watcher_.joinable()) return;
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
  }
  wake_.notify_one();
  watcher_.join();
}

void ReadProgress::Watch() {
  std::unique_lock<std::mutex> lock(mutex_);
  const auto done = [this] { return done_; };
  if (wake_.wait_for(lock, kQuietStart, done)) return;
  do {
    line_.Show(ReadProgressText(name_, read_.load(std::memory_order_relaxed), total_));
  } while (!wake_.wait_for(lock, kInterval, done));
}

}  // namespace tess
