#include "io/line_writer.h"

#include "io/paths.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {

namespace {
constexpr size_t kFlushSize = 64 * 1024;

std::string TempPathFor(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  const std::string dir = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  return dir + ".tessaline-XXXXXX";
}

}  // namespace

LineWriter::~LineWriter() { Abandon(); }

Status LineWriter::Create(const std::string& path, Mode mode) {
  Abandon();
  path_ = path;
  mode_ = mode;
  status_ = Status::Ok();
  buffer_.clear();
  written_ = 0;
  if (mode == Mode::kDirect) {
    // A leftover of the same name is replaced, never written through: a
    // symbolic or hard link there must not empty a file elsewhere.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Status::FromErrno(path, errno);
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd_ < 0) return Status::FromErrno(path, errno);
    return Status::Ok();
  }
  std::string pattern = TempPathFor(path);
  fd_ = ::mkstemp(pattern.data());
  if (fd_ < 0) return Status::FromErrno(path, errno);
  tempPath_ = pattern;
  ::fchmod(fd_, 0666 & ~ProcessUmask());
  return Status::Ok();
}

void LineWriter::WriteLine(std::string_view line) {
  buffer_.append(line);
  buffer_.append("\r\n");
  written_ += static_cast<int64_t>(line.size()) + 2;
  if (buffer_.size() >= kFlushSize) Flush();
}

void LineWriter::Flush() {
  size_t done = 0;
  while (done < buffer_.size() && status_.ok()) {
    ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      status_ = Status::FromErrno(path_, errno);
      break;
    }
    done += static_cast<size_t>(n);
  }
  buffer_.clear();
}

Status LineWriter::Finish() {
  if (fd_ < 0) return status_.ok() ? Status::Fail(path_, "file is not open") : status_;
  Flush();
  if (::close(fd_) != 0 && status_.ok()) status_ = Status::FromErrno(path_, errno);
  fd_ = -1;
  if (!status_.ok()) {
    ::unlink(WrittenPath().c_str());
    tempPath_.clear();
  }
  return status_;
}

Status LineWriter::Publish() {
  if (mode_ != Mode::kReplaceOnCommit) return status_;
  if (tempPath_.empty()) return status_.ok() ? Status::Fail(path_, "file is not finished") : status_;
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    status_ = Status::FromErrno(path_, errno);
    ::unlink(tempPath_.c_str());
  }
  tempPath_.clear();
  return status_;
}

Status LineWriter::Commit() {
  if (Status st = Finish(); !st.ok()) return st;
  return Publish();
}

void LineWriter::Abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
    ::unlink(WrittenPath().c_str());
  } else if (mode_ == Mode::kReplaceOnCommit && !tempPath_.empty()) {
    ::unlink(tempPath_.c_str());
  }
  tempPath_.clear();
  buffer_.clear();
}

}  // namespace tess
