// State that the sort run shares with the comparison: per file slot the paths
// of the run and the routing-table sections found in the log, and the record
// arrays of the one section being sorted.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "sorter/parse_route_line.h"

namespace tess {

/// Sections of one file slot, as the last split (or comparison) left them.
struct SlotState {
  std::string ReadFilePath;
  std::string TempBaseName;
  std::string WriteFilePath;
  int64_t LastTableIndex = 0;
  /// Entries 0 to LastTableIndex + 1; the last one holds the name a further
  /// section would have got.
  std::vector<std::string> TableName = {"!!begin", "!!default"};
  std::vector<int64_t> TableLineCount = {0, 0};
};

/// Records of the section being sorted: four key words and a line position
/// per line, entry i describing line i (entry 0 unused).
struct SortRecords {
  std::vector<int32_t> SortKey1, SortKey2, SortKey3, SortKey4;
  std::vector<int64_t> LinePosition;

  void Resize(size_t lineCount);
  size_t Count() const { return LinePosition.empty() ? 0 : LinePosition.size() - 1; }
};

/// Which ticked items the information filter has (index 0 to 6).
using InfoFilter = std::array<bool, 7>;

/// The options a sort run reads: in force or not, the order and the filter.
struct SortOptions {
  bool InForce = false;
  int Order = 0;
  InfoFilter Filter = {true, false, false, false, false, false, false};
};

/// Everything the sorter and the comparer share (slots 1 and 2 used).
struct SortState {
  std::array<SlotState, 3> Slot;
  SortRecords Records;
  ParserState Parser;
};

}  // namespace tess
