// Batch mode: one log is sorted, two are compared, then the program exits.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace tess {

/// Runs the batch command line `args` (without the program name) with the
/// settings file at `settingsPath` (none: the defaults, nothing stored).
/// Returns the exit code: 0 success (or no difference), 1 differences found,
/// 2 failure.
int RunBatch(const std::vector<std::string>& args, const std::optional<std::string>& settingsPath,
             std::ostream& out, std::ostream& err);

}  // namespace tess
