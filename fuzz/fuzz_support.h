// Scaffolding of the fuzz targets: one scratch folder per fuzzing process,
// inputs written to files there, and checks that a run leaves exactly the
// files it should.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <string>
#include <string_view>
#include <unistd.h>

#include "sorter/sort_options.h"

namespace tess::fuzz {

inline void RemoveScratchFolder();

/// A folder of this process's own, made once (on /dev/shm when there is one,
/// so that the many small files of a run cost no disk writes).
inline const std::string& ScratchFolder() {
  // Never destroyed: RemoveScratchFolder runs at exit, after static objects
  // made later than its registration are gone.
  static const std::string* folder = [] {
    const char* base = ::access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    std::string pattern = std::string(base) + "/tessaline-fuzz-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    std::atexit(RemoveScratchFolder);
    return new std::string(pattern);
  }();
  return *folder;
}

inline std::string ScratchFile(const std::string& name) { return ScratchFolder() + "/" + name; }

inline void WriteBytes(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) std::abort();
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) std::abort();
    done += static_cast<size_t>(n);
  }
  ::close(fd);
}

/// Two logs cut from one input, written as "a.log" and "b.log" of the
/// scratch folder: the bytes before a "\n====\n" line and after it, or,
/// without such a line, before and after byte `cutWhenNoSeparator`.
struct TwoLogs {
  std::string Before, After;     // their paths
  std::string_view BeforeBytes;  // what "a.log" holds
  bool Separated = false;        // cut at a separator line
};
inline TwoLogs WriteTwoLogs(std::string_view bytes, size_t cutWhenNoSeparator) {
  size_t cut = bytes.find("\n====\n");
  size_t resume = cut + 6;
  if (cut == std::string_view::npos) cut = resume = std::min(cutWhenNoSeparator, bytes.size());
  TwoLogs logs{ScratchFile("a.log"), ScratchFile("b.log"), bytes.substr(0, cut), cut != resume};
  WriteBytes(logs.Before, logs.BeforeBytes);
  WriteBytes(logs.After, bytes.substr(resume));
  return logs;
}

/// The whole contents of `path`.
inline std::string ReadBytes(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) std::abort();
  std::string bytes;
  char chunk[65536];
  ssize_t n;
  while ((n = ::read(fd, chunk, sizeof chunk)) > 0) bytes.append(chunk, static_cast<size_t>(n));
  ::close(fd);
  if (n < 0) std::abort();
  return bytes;
}

/// Names in the scratch folder.
inline std::set<std::string> ScratchNames() {
  std::set<std::string> names;
  DIR* dir = ::opendir(ScratchFolder().c_str());
  if (dir == nullptr) std::abort();
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") names.insert(name);
  }
  ::closedir(dir);
  return names;
}

/// Removes every file of the scratch folder, so each input starts afresh.
inline void ClearScratch() {
  for (const std::string& name : ScratchNames()) ::unlink(ScratchFile(name).c_str());
}

/// Aborts, naming the file, when the scratch folder holds anything but
/// `expected`: a run must leave no temporary file behind.
inline void ExpectOnly(const std::set<std::string>& expected) {
  for (const std::string& name : ScratchNames()) {
    if (expected.count(name) == 0) {
      std::fprintf(stderr, "left behind: %s\n", name.c_str());
      std::abort();
    }
  }
}

/// Takes one byte from the front of `data`, 0 when there is none.
inline uint8_t TakeByte(const uint8_t*& data, size_t& size) {
  if (size == 0) return 0;
  --size;
  return *data++;
}

/// The filter of a byte: one item of 0, 5 and 6 alone, or any set of 1 to 4,
/// the 19 filters the options allow (each byte value mod 19).
inline InfoFilter FilterOf(uint8_t byte) {
  const int pick = byte % 19;
  if (pick < 3) {
    constexpr FilterItem kAlone[] = {FilterItem::All, FilterItem::DestinationAndMask, FilterItem::DestinationOnly};
    return InfoFilter::Only(kAlone[pick]);
  }
  InfoFilter filter;
  const int bits = pick - 3;  // 0..15
  for (int k = 0; k < 4; ++k) {
    if (bits & (1 << k)) filter.Tick(static_cast<FilterItem>(k + 1));
  }
  return filter;
}

/// Empties and removes the scratch folder when the fuzzer exits (a failing
/// input leaves it, with the files of that input).
inline void RemoveScratchFolder() {
  ClearScratch();
  ::rmdir(ScratchFolder().c_str());
}

#define FUZZ_CHECK(condition)                                                   \
  do {                                                                          \
    if (!(condition)) {                                                         \
      std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
      std::abort();                                                             \
    }                                                                           \
  } while (0)

}  // namespace tess::fuzz
