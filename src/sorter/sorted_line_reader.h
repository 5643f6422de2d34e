// Reads the lines of a section file back in sorted order without one read
// per line: the sorted records are taken window by window (a bounded number
// of bytes), each window's lines are gathered in file order with large
// sequential reads, then handed out in sorted order.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"
#include "sorter/sort_records.h"

namespace tess {

/// A file read in chunks of up to a mebibyte, each starting where a wanted
/// line starts, and kept for the lines that follow.
class ChunkedFile {
 public:
  ChunkedFile() = default;
  ~ChunkedFile();
  ChunkedFile(const ChunkedFile&) = delete;
  ChunkedFile& operator=(const ChunkedFile&) = delete;

  Status Open(const std::string& path);
  const std::string& Path() const { return path_; }
  /// Points `bytes` at the `length` bytes at 1-based `position`.
  Status Bytes(int64_t position, size_t length, const char*& bytes);

 private:
  Status Load(int64_t position, size_t size);

  std::string path_;
  int fd_ = -1;
  std::unique_ptr<char[]> chunk_;  // not zero-filled: every load overwrites what it hands out
  size_t capacity_ = 0;
  int64_t fileSize_ = 0;
  int64_t start_ = 0;
  size_t filled_ = 0;
};

/// Calls `take` with the text of each of `lines` in turn, without its line
/// end (and without the CRs before it), as LineReader reads it.
/// `windowBytes` bounds the memory the texts take at once.
Status ReadLinesInSortedOrder(ChunkedFile& file, const std::vector<LineRecord>& lines,
                              const std::function<void(std::string_view)>& take,
                              size_t windowBytes = 16 << 20);

}  // namespace tess
