// Sort key construction: packs the parsed fields of a line into four key
// words in the precedence of the chosen sort order, the line number last.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "io/line_reader.h"
#include "io/status.h"
#include "sorter/parse_route_line.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"

namespace tess {

using KeyWords = std::array<int32_t, 4>;

/// The four key words of line `lineNumber` with `fields` and `lineState`,
/// under `order`, evaluated in 32-bit signed arithmetic.
KeyWords BuildKeyWords(SortOrder order, const RouteFields& fields, int lineState, int64_t lineNumber);

/// Reads the next `lineCount` lines of `in` (a section of the temporary
/// file), parses them as one stream and fills `lines` with their keys,
/// positions and lengths. Adds the lines that parsed as a route line to
/// `routeLineCount`.
Status MakeSortKeys(LineReader& in, int64_t lineCount, SortOrder order, std::vector<LineRecord>& lines,
                    int64_t& routeLineCount);

}  // namespace tess
