// Sort key construction: packs the parsed fields of a line into four key
// words in the precedence of the chosen sort order, the line number last.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "io/large_allocation.h"
#include "sorter/ios_route_line.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"

namespace tess {

using KeyWords = std::array<int32_t, 4>;

/// The four key words of line `lineNumber` with `fields`, under `order`,
/// evaluated in 32-bit signed arithmetic.
KeyWords BuildKeyWords(SortOrder order, const RouteFields& fields, int64_t lineNumber);

/// Builds the sort records of the temporary file's lines as the split
/// writes them. Each section is parsed as one stream, its lines numbered
/// from 1; the records of all sections follow one another in Records().
class SortKeyMaker {
 public:
  explicit SortKeyMaker(SortOrder order) : order_(order) {}

  /// Line `line` of section `section`, at `position` with `length` bytes
  /// (line end included) in the temporary file.
  void Add(size_t section, std::string_view line, int64_t position, int64_t length);
  LargeArray<LineRecord>& Records() { return records_; }
  /// Lines that parsed as a route line.
  int64_t RouteLineCount() const { return routeLineCount_; }
  /// The key bits of the records of section `section` (none when it has no
  /// line).
  KeyBitsSeen KeyBitsOf(size_t section) const {
    return section < keyBits_.size() ? keyBits_[section] : KeyBitsSeen{};
  }

 private:
  SortOrder order_;
  LargeArray<LineRecord> records_;
  size_t section_ = static_cast<size_t>(-1);
  int64_t lineNumber_ = 0;
  IosRouteLineStream stream_;  // the section's lines, restarted per section
  int64_t routeLineCount_ = 0;
  std::vector<KeyBitsSeen> keyBits_;  // by section
};

}  // namespace tess
