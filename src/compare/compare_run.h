// The comparison of two sort results into a report, once both logs have
// been sorted: section lists, header, table walk and verdict.
#pragma once

#include <cstdint>
#include <string>

#include "io/status.h"
#include "sorter/sort_state.h"

namespace tess {

/// Compares the sort results of slots 1 and 2 (as the last sort runs left
/// them in `state`) into the report at `reportPath`, which replaces any file
/// of that name only when the report is complete. Sets `differenceCount`.
Status CompareSortResults(SortState& state, const std::string& reportPath, int64_t& differenceCount);

}  // namespace tess
