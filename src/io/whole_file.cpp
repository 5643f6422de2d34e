#include "io/whole_file.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "io/file_descriptor.h"

namespace tess {

Status ReadWholeFile(const std::string& path, WholeFile& file) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) return Status::Ok();
    return Status::FromErrno(path, errno);
  }
  if (::fstat(fd.get(), &file.Stat) != 0) return Status::FromErrno(path, errno);
  if (!S_ISREG(file.Stat.st_mode)) return Status::Fail(ErrorCode::NotARegularFile, path);
  file.Exists = true;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(path, errno);
    }
    file.Bytes.append(buffer, static_cast<size_t>(n));
  }
  return Status::Ok();
}

}  // namespace tess
