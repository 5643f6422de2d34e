// Sort key construction: packs the parsed fields of a line into four key
// words in the precedence of the chosen sort order, the line number last.
#pragma once

#include <array>
#include <cstdint>

#include "io/status.h"
#include "sorter/parse_route_line.h"
#include "sorter/sort_state.h"

namespace tess {

using KeyWords = std::array<int32_t, 4>;

/// The four key words of line `lineNumber` with `fields` and `lineState`,
/// under sort order 0 to 5, evaluated in 32-bit signed arithmetic.
KeyWords BuildKeyWords(int order, const RouteFields& fields, int lineState, int64_t lineNumber);

/// Reads section `section` of `slot` from its temporary file, parses every
/// line with stream 1 and fills the record arrays.
Status MakeSortKeys(SortState& state, int slot, int64_t section, int order);

}  // namespace tess
