#include "io/paths.h"

#include "io/temporary_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tess {

std::string JoinPath(const std::string& folder, const std::string& name) {
  const size_t last = folder.find_last_not_of(kPathSeparator);
  if (last == std::string::npos) return folder.empty() ? name : std::string(1, kPathSeparator) + name;
  return folder.substr(0, last + 1) + kPathSeparator + name;
}

std::string FolderOf(const std::string& path) {
  const size_t last = path.rfind(kPathSeparator);
  if (last == std::string::npos) return ".";
  if (last == 0) return std::string(1, kPathSeparator);
  return path.substr(0, last);
}

std::string NameOf(const std::string& path) {
  const size_t last = path.rfind(kPathSeparator);
  return last == std::string::npos ? path : path.substr(last + 1);
}

bool SameFile(const std::string& a, const std::string& b) {
  if (a.empty() || b.empty()) return false;
  struct stat sa {}, sb {};
  const bool haveA = ::stat(a.c_str(), &sa) == 0;
  const bool haveB = ::stat(b.c_str(), &sb) == 0;
  if (haveA && haveB) return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
  if (haveA != haveB) return false;
  std::error_code ec1, ec2;
  const auto ca = std::filesystem::weakly_canonical(std::filesystem::absolute(a, ec1), ec1);
  const auto cb = std::filesystem::weakly_canonical(std::filesystem::absolute(b, ec2), ec2);
  if (ec1 || ec2) return a == b;
  return ca == cb;
}

bool SameExistingFile(const std::string& a, const std::string& b) {
  struct stat sa {}, sb {};
  return ::stat(a.c_str(), &sa) == 0 && ::stat(b.c_str(), &sb) == 0 && sa.st_dev == sb.st_dev &&
         sa.st_ino == sb.st_ino;
}

Status CheckReadable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return Status::FromErrno(path, errno);
  // Reading a folder fails with EISDIR, as a run's first read would.
  char byte;
  const bool readable = ::read(fd, &byte, 1) >= 0;
  const int readError = errno;
  ::close(fd);
  return readable ? Status::Ok() : Status::FromErrno(path, readError);
}

Status RemoveFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0 && errno != ENOENT) return Status::FromErrno(path, errno);
  // A run's temporary file is gone: an interruption has nothing left to remove.
  UnregisterTemporaryFile(path);
  return Status::Ok();
}

bool FileExists(const std::string& fileName) {
  const int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return !(errno == ENOENT || errno == ENOTDIR || errno == EACCES || errno == EPERM ||
                       errno == EISDIR || errno == ENAMETOOLONG);
  struct stat st {};
  const bool folder = ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode);
  ::close(fd);
  return !folder;
}

int64_t FileSizeOrZero(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? static_cast<int64_t>(st.st_size) : 0;
}

unsigned ProcessUmask() {
  if (FILE* f = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    bool found = false;
    while (!found && std::fgets(line, sizeof line, f) != nullptr) {
      found = std::sscanf(line, "Umask: %o", &value) == 1;
    }
    std::fclose(f);
    if (found) return value;
  }
  const mode_t mask = ::umask(022);
  ::umask(mask);
  return mask;
}

}  // namespace tess
