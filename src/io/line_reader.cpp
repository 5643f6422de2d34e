#include "io/line_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace tess {

namespace {
constexpr size_t kBufferSize = 64 * 1024;
constexpr size_t kJumpFillSize = 512;
}

LineReader::~LineReader() { Close(); }

Status LineReader::Open(const std::string& path) {
  Close();
  path_ = path;
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) return Status::FromErrno(path, errno);
  buf_.resize(kBufferSize);
  fillSize_ = kBufferSize;
  pos_ = 1;
  bufStart_ = 1;
  bufLen_ = 0;
  status_ = Status::Ok();
  splitAtLf_ = DetectLineFeeds();
  if (!status_.ok()) {
    Close();
    return status_;
  }
  return Status::Ok();
}

void LineReader::Close() {
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
  bufLen_ = 0;
}

// Scans from the start until the first LF; a file without one is CR-split.
bool LineReader::DetectLineFeeds() {
  bool sawCr = false;
  int64_t at = 1;
  while (true) {
    pos_ = at;
    if (!Fill()) break;
    const char* begin = buf_.data();
    if (std::memchr(begin, '\n', bufLen_) != nullptr) {
      pos_ = 1;
      return true;
    }
    if (std::memchr(begin, '\r', bufLen_) != nullptr) sawCr = true;
    at = bufStart_ + static_cast<int64_t>(bufLen_);
  }
  pos_ = 1;
  bufLen_ = 0;
  return !sawCr;
}

bool LineReader::Fill() {
  // Reading on, or returning close to where the buffer was (a look-ahead
  // that went back), reads a whole buffer; a far jump (lines read back in
  // sorted order) reads little, growing again while reading goes on.
  const int64_t end = bufStart_ + static_cast<int64_t>(bufLen_);
  const int64_t reach = static_cast<int64_t>(kBufferSize);
  if (pos_ == end) {
    fillSize_ = std::min(fillSize_ * 2, kBufferSize);
  } else {
    fillSize_ = (pos_ >= bufStart_ - reach && pos_ <= end + reach) ? kBufferSize : kJumpFillSize;
  }
  bufStart_ = pos_;
  bufLen_ = 0;
  while (true) {
    ssize_t n = ::pread(fd_, buf_.data(), fillSize_, static_cast<off_t>(pos_ - 1));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      if (status_.ok()) status_ = Status::FromErrno(path_, errno);
      return false;
    }
    bufLen_ = static_cast<size_t>(n);
    return n > 0;
  }
}

bool LineReader::NextBytesAre(std::string_view prefix) {
  if (fd_ < 0) return false;
  const int64_t wanted = pos_ + static_cast<int64_t>(prefix.size());
  if (pos_ < bufStart_ || wanted > bufStart_ + static_cast<int64_t>(bufLen_)) {
    if (!Fill() || wanted > bufStart_ + static_cast<int64_t>(bufLen_)) return false;
  }
  return std::string_view(buf_.data() + (pos_ - bufStart_), prefix.size()) == prefix;
}

void LineReader::Seek(int64_t position) { pos_ = position < 1 ? 1 : position; }

bool LineReader::AtEnd() {
  if (fd_ < 0) return true;
  const int64_t end = bufStart_ + static_cast<int64_t>(bufLen_);
  if (pos_ >= bufStart_ && pos_ < end) return false;
  return !Fill();
}

bool LineReader::ReadLine(std::string& line) {
  line.clear();
  if (AtEnd()) return false;
  const char terminator = splitAtLf_ ? '\n' : '\r';
  while (true) {
    const int64_t end = bufStart_ + static_cast<int64_t>(bufLen_);
    if (pos_ < bufStart_ || pos_ >= end) {
      if (!Fill()) break;  // end of file: the last line has no terminator
      continue;
    }
    const char* from = buf_.data() + (pos_ - bufStart_);
    const size_t avail = static_cast<size_t>(end - pos_);
    const void* hit = std::memchr(from, terminator, avail);
    if (hit != nullptr) {
      const size_t len = static_cast<size_t>(static_cast<const char*>(hit) - from);
      line.append(from, len);
      pos_ += static_cast<int64_t>(len) + 1;
      break;
    }
    line.append(from, avail);
    pos_ += static_cast<int64_t>(avail);
  }
  if (splitAtLf_) {
    while (!line.empty() && line.back() == '\r') line.pop_back();
  }
  return status_.ok();
}

}  // namespace tess
