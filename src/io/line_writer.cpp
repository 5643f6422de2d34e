#include "io/line_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace tess {

namespace {
constexpr size_t kFlushSize = 64 * 1024;
}  // namespace

LineWriter::~LineWriter() { Abandon(); }

Status LineWriter::Create(const std::string& path, Mode mode) {
  Abandon();
  path_ = path;
  mode_ = mode;
  status_ = Status::Ok();
  buffer_.clear();
  written_ = 0;
  if (mode == Mode::kReplaceOnCommit) return staged_.Create(path);
  // A leftover of the same name is replaced, never written through: a
  // symbolic or hard link there must not empty a file elsewhere.
  // It is a temporary of the run until RemoveFile removes it.
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Status::FromErrno(path, errno);
  fd_ = CreateRegisteredFile(path, 0666);
  if (fd_ < 0) return Status::FromErrno(path, errno);
  return Status::Ok();
}

void LineWriter::WriteLine(std::string_view line) {
  buffer_.append(line);
  buffer_.push_back('\r');
  buffer_.push_back('\n');
  written_ += static_cast<int64_t>(line.size()) + 2;
  if (buffer_.size() >= kFlushSize) Flush();
}

void LineWriter::Flush() {
  if (status_.ok()) status_ = WriteAll(Fd(), buffer_, path_);
  buffer_.clear();
}

Status LineWriter::Finish() {
  if (Fd() < 0) return status_.ok() ? Status::Fail(ErrorCode::FileNotOpen, path_) : status_;
  Flush();
  if (mode_ == Mode::kReplaceOnCommit) {
    const Status closed = staged_.Close(Durability::kRenameOnly);
    if (status_.ok()) status_ = closed;
    if (!status_.ok()) staged_.Abandon();
    return status_;
  }
  if (::close(fd_) != 0 && status_.ok()) status_ = Status::FromErrno(path_, errno);
  fd_ = -1;
  if (!status_.ok()) RemoveRegisteredFile(path_);
  return status_;
}

Status LineWriter::Publish() {
  if (mode_ != Mode::kReplaceOnCommit) return status_;
  if (staged_.TempPath().empty()) return status_.ok() ? Status::Fail(ErrorCode::FileNotFinished, path_) : status_;
  status_ = staged_.Publish(Durability::kRenameOnly);
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
    RemoveRegisteredFile(path_);
  }
  staged_.Abandon();
  buffer_.clear();
}

}  // namespace tess
