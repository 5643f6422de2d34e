// The records of the section being sorted: four key words and a line
// position per line, entry i describing line i (entry 0 unused).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tess {

struct SortRecords {
  std::vector<int32_t> SortKey1, SortKey2, SortKey3, SortKey4;
  std::vector<int64_t> LinePosition;
  /// Bytes of each line with its line end; kLongLine for lines of 4 GiB and
  /// more.
  std::vector<uint32_t> LineLength;
  static constexpr uint32_t kLongLine = UINT32_MAX;
  /// Lines that parsed as a route line with a destination.
  int64_t RouteLineCount = 0;

  void Resize(size_t lineCount);
  size_t Count() const { return LinePosition.empty() ? 0 : LinePosition.size() - 1; }
};

}  // namespace tess
