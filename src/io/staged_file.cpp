#include "io/staged_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/paths.h"
#include "io/temporary_files.h"

namespace tess {

namespace {

// A hidden name beside `target` that is unlikely to exist.
std::string TempPathFor(const std::string& target) {
  static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  unsigned char random[6] = {};
  if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
    static std::atomic<unsigned> counter{0};
    const unsigned mix = static_cast<unsigned>(::getpid()) * 2654435761u + counter.fetch_add(1) * 40503u;
    for (size_t k = 0; k < sizeof random; ++k) random[k] = static_cast<unsigned char>(mix >> (k * 5));
  }
  std::string name = ".tessaline-";
  for (unsigned char r : random) name += kLetters[r % (sizeof kLetters - 1)];
  return JoinPath(FolderOf(target), name);
}

// Makes the folder's entries (a rename into it) last; advice only, the
// file is in place either way.
void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

Status WriteAll(int fd, std::string_view bytes, const std::string& file) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::FromErrno(file, errno);
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return Status::Ok();
}

int CreateRegisteredFile(const std::string& path, unsigned mode) {
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

void RemoveRegisteredFile(const std::string& path) {
  ::unlink(path.c_str());
  UnregisterTemporaryFile(path);
}

Status StagedFile::Create(const std::string& target) {
  Abandon();
  target_ = target;
  // As mkstemp, but registered before it exists.
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string candidate = TempPathFor(target);
    fd_ = CreateRegisteredFile(candidate, 0600);
    if (fd_ >= 0) {
      tempPath_ = std::move(candidate);
      ::fchmod(fd_, 0666 & ~ProcessUmask());
      return Status::Ok();
    }
    if (errno != EEXIST) return Status::FromErrno(target, errno);
  }
  return Status::FromErrno(target, EEXIST);
}

Status StagedFile::Write(std::string_view bytes) {
  if (fd_ < 0) return Status::Fail(ErrorCode::FileNotOpen, target_);
  return WriteAll(fd_, bytes, target_);
}

Status StagedFile::Close(Durability durability) {
  if (fd_ < 0) return Status::Fail(ErrorCode::FileNotOpen, target_);
  Status status;
  if (durability == Durability::kSynced && ::fsync(fd_) != 0) status = Status::FromErrno(target_, errno);
  if (::close(fd_) != 0 && status.ok()) status = Status::FromErrno(target_, errno);
  fd_ = -1;
  if (!status.ok()) Abandon();
  return status;
}

Status StagedFile::Publish(Durability durability) {
  if (fd_ >= 0 || tempPath_.empty()) return Status::Fail(ErrorCode::FileNotFinished, target_);
  Status status;
  if (::rename(tempPath_.c_str(), target_.c_str()) != 0) {
    status = Status::FromErrno(target_, errno);
    ::unlink(tempPath_.c_str());
  }
  // After the rename: an interruption in between finds the name gone.
  UnregisterTemporaryFile(tempPath_);
  tempPath_.clear();
  if (status.ok() && durability == Durability::kSynced) SyncFolder(FolderOf(target_));
  return status;
}

void StagedFile::Abandon() {
  if (fd_ >= 0) {
    ::close(fd_);
    fd_ = -1;
  }
  if (!tempPath_.empty()) {
    RemoveRegisteredFile(tempPath_);
    tempPath_.clear();
  }
}

}  // namespace tess
