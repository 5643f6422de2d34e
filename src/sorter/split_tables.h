// Log splitting: distributes the lines of a log over its routing-table
// sections, one temporary file per section beside the input, repairing
// backspace editing, wrapped route lines and extra paths on the way.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"
#include "sorter/sort_state.h"

namespace tess {

/// Splits the input of `slot` into section files. Every section file it
/// created is listed in `created` (also on failure, for the caller's
/// clean-up). A section file that would be the input or `protectedPath`
/// (the run's result) is refused.
Status SplitTables(SlotState& slot, const std::string& protectedPath,
                   std::vector<std::string>& created);

/// Removes each backspace together with the character before it.
void ApplyBackspaces(std::string& line);

}  // namespace tess
