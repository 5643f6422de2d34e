#include "io/line_writer.h"

#include "io/paths.h"
#include "io/temporary_files.h"

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {

namespace {
constexpr size_t kFlushSize = 64 * 1024;

// A hidden name beside `path` that is unlikely to exist: ".tessaline-"
// and six random letters or digits.
std::string TempPathFor(const std::string& path) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  const size_t slash = path.find_last_of('/');
  std::string name = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  name += ".tessaline-";
  unsigned char random[6] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    static std::atomic<unsigned> counter{0};
    const unsigned mix = static_cast<unsigned>(::getpid()) * 2654435761u + counter.fetch_add(1) * 40503u;
    for (size_t k = 0; k < sizeof random; ++k) random[k] = static_cast<unsigned char>(mix >> (k * 5));
  }
  for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
  return name;
}

// Creates `path` (which must not exist) as a registered temporary file.
int CreateRegistered(const std::string& path, mode_t mode) {
  const TemporaryFileCreation creation;
  if (!creation.Allowed()) {
    errno = EINTR;
    return -1;
  }
  RegisterTemporaryFile(path);
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
  if (fd < 0) {
    const int error = errno;
    UnregisterTemporaryFile(path);
    errno = error;
  }
  return fd;
}

void RemoveRegistered(const std::string& path) {
  ::unlink(path.c_str());
  UnregisterTemporaryFile(path);
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
    // It is a temporary of the run until RemoveFile removes it.
    if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Status::FromErrno(path, errno);
    fd_ = CreateRegistered(path, 0666);
    if (fd_ < 0) return Status::FromErrno(path, errno);
    return Status::Ok();
  }
  // As mkstemp, but registered before it exists, so that an interruption
  // can never leave it behind.
  for (int attempt = 0; attempt < 100 && fd_ < 0; ++attempt) {
    std::string candidate = TempPathFor(path);
    fd_ = CreateRegistered(candidate, 0600);
    if (fd_ >= 0) tempPath_ = std::move(candidate);
    else if (errno != EEXIST) return Status::FromErrno(path, errno);
  }
  if (fd_ < 0) return Status::FromErrno(path, EEXIST);
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
  if (fd_ < 0) return status_.ok() ? Status::Fail(ErrorCode::FileNotOpen, path_) : status_;
  Flush();
  if (::close(fd_) != 0 && status_.ok()) status_ = Status::FromErrno(path_, errno);
  fd_ = -1;
  if (!status_.ok()) {
    RemoveRegistered(WrittenPath());
    tempPath_.clear();
  }
  return status_;
}

Status LineWriter::Publish() {
  if (mode_ != Mode::kReplaceOnCommit) return status_;
  if (tempPath_.empty()) return status_.ok() ? Status::Fail(ErrorCode::FileNotFinished, path_) : status_;
  if (::rename(tempPath_.c_str(), path_.c_str()) != 0) {
    status_ = Status::FromErrno(path_, errno);
    ::unlink(tempPath_.c_str());
  }
  // After the rename: an interruption in between finds the name gone.
  UnregisterTemporaryFile(tempPath_);
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
    RemoveRegistered(WrittenPath());
  } else if (mode_ == Mode::kReplaceOnCommit && !tempPath_.empty()) {
    RemoveRegistered(tempPath_);
  }
  tempPath_.clear();
  buffer_.clear();
}

}  // namespace tess
