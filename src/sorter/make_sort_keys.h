// Sort key construction: packs the parsed fields of a line into four key
// words in the precedence of the chosen sort order, the line number last.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "io/large_allocation.h"
#include "sorter/ios_route_line.h"
#include "sorter/route_block_order.h"
#include "sorter/route_block_stream.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"

namespace tess {

using KeyWords = std::array<int32_t, 4>;

/// The four key words of line `lineNumber` with `fields`, under `order`,
/// evaluated in 32-bit signed arithmetic.
KeyWords BuildKeyWords(SortOrder order, const RouteFields& fields, int64_t lineNumber);

/// Builds the sort records of the temporary file's lines as the split
/// writes them. Each section is parsed as one stream, its lines numbered
/// from 1; the records of all IOS IPv4 sections follow one another in
/// Records().
/// The lines of a section read as route blocks (NX-OS, IPv6) go to the
/// block tables instead, which give their order.
class SortKeyMaker {
 public:
  explicit SortKeyMaker(SortOrder order) : order_(order) {}

  /// Line `line` of section `section` (of `dialect`), at `position` with
  /// `length` bytes (line end included) in the temporary file.
  void Add(size_t section, TableDialect dialect, std::string_view line, int64_t position, int64_t length);
  LargeArray<LineRecord>& Records() { return records_; }
  /// Lines that parsed as a route line (IOS IPv4) or opened a route (route blocks).
  int64_t RouteLineCount() const { return routeLineCount_; }
  /// Whether section `section` is read as route blocks; its lines' order
  /// then comes from BlockLinesInOrder.
  bool IsBlockSection(size_t section) const {
    return section < blockTableOf_.size() && blockTableOf_[section] != kNoBlockTable;
  }
  /// The places of the lines of section `section`, read as route blocks,
  /// in the order the keys are made for, with their roles.
  void BlockLinesInOrder(size_t section, std::vector<LinePlace>& places, std::vector<LineRole>& roles) {
    blockTables_.LinesInOrder(blockTableOf_[section], order_, places, roles);
  }
  /// The key bits of the records of section `section` (none when it has no
  /// line).
  KeyBitsSeen KeyBitsOf(size_t section) const {
    return section < keyBits_.size() ? keyBits_[section] : KeyBitsSeen{};
  }

 private:
  void AddBlockLine(size_t section, TableDialect dialect, std::string_view line, int64_t position, int64_t length);

  SortOrder order_;
  LargeArray<LineRecord> records_;
  size_t section_ = static_cast<size_t>(-1);
  int64_t lineNumber_ = 0;
  IosRouteLineStream stream_;  // the section's lines, restarted per section
  std::optional<RouteBlockStream> blockStream_;  // the same for a section read as route blocks
  int64_t routeLineCount_ = 0;
  std::vector<KeyBitsSeen> keyBits_;  // by section
  static constexpr size_t kNoBlockTable = static_cast<size_t>(-1);
  RouteBlockOrder blockTables_;       // the sections read as route blocks
  std::vector<size_t> blockTableOf_;  // by section: its table in blockTables_, or kNoBlockTable
};

}  // namespace tess
