// Reads the lines of a temporary file back in sorted order without one read
// per line: the sorted records are taken window by window (a bounded number
// of bytes); each window's lines are gathered region by region of the file,
// each region read once, then handed out in sorted order.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "io/large_allocation.h"
#include "io/status.h"
#include "sorter/sort_records.h"

namespace tess {

class SortedLineReader {
 public:
  SortedLineReader() = default;
  ~SortedLineReader();
  SortedLineReader(const SortedLineReader&) = delete;
  SortedLineReader& operator=(const SortedLineReader&) = delete;

  Status Open(const std::string& path);
  const std::string& Path() const { return path_; }

  /// Calls `take` with the text of each of `lines` in turn, without its line
  /// end (and without the CRs before it), as LineReader reads it.
  /// `windowBytes` bounds the memory the texts take at once.
  Status Read(std::span<const LinePlace> lines, const std::function<void(std::string_view)>& take,
              size_t windowBytes = kDefaultWindowBytes);

  static constexpr size_t kDefaultWindowBytes = size_t{16} << 20;

 private:
  Status TakeWindow(std::span<const LinePlace> lines, size_t first, size_t last,
                    const std::function<void(std::string_view)>& take);
  Status GatherRegion(std::span<const LinePlace> lines, size_t first, const uint32_t* members, size_t count,
                      int64_t from, int64_t to);
  void GroupByRegion(std::span<const LinePlace> lines, size_t first, size_t last);
  Status TakeEachLine(std::span<const LinePlace> lines, const std::function<void(std::string_view)>& take);
  Status Bytes(int64_t from, int64_t to, const char*& bytes);

  std::string path_;
  int fd_ = -1;
  // Kept from window to window and from section to section.
  LargeBuffer window_;
  LargeBuffer region_;  // the bytes the last read brought in
  int64_t cachedFrom_ = 0;
  size_t cachedBytes_ = 0;
  std::vector<size_t, LargeAllocator<size_t>> offset_;       // where each window line stands in window_
  std::vector<uint32_t, LargeAllocator<uint32_t>> inRegions_;  // window lines grouped by region, in file order
  std::vector<uint32_t> regionFirst_;  // per region: its first entry of inRegions_
  std::vector<int64_t> regionStart_;  // per region: where its first wanted line starts
  std::vector<int64_t> regionEnd_;    // per region: where its last wanted line ends
};

}  // namespace tess
