// Log splitting: distributes the lines of a log over its routing-table
// sections, one temporary file per section beside the input, repairing
// backspace editing, wrapped route lines and extra paths on the way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"

namespace tess {

/// One routing-table section of a log, in its own temporary file.
struct SplitSection {
  std::string Name;  // "!!begin", "!!default" or the VRF's name
  std::string FilePath;
  int64_t LineCount = 0;
};

/// Splits the log at `logPath` into section files named from `tempBase`.
/// Every section whose file was created is listed in `sections`, also on
/// failure, for the caller's clean-up. A section file that would be the log
/// or `protectedPath` (the run's result) is refused.
Status SplitTables(const std::string& logPath, const std::string& tempBase,
                   const std::string& protectedPath, std::vector<SplitSection>& sections);

/// Removes each backspace together with the character before it.
void ApplyBackspaces(std::string& line);

}  // namespace tess
