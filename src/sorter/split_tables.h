// Log splitting: writes the lines of a log, section by section (one per
// routing table), into one temporary file, repairing backspace editing,
// wrapped route lines and extra paths on the way.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"

namespace tess {

/// One routing-table section of a log: its lines stand in the temporary
/// file from byte position `Start` (1-based) on.
struct SplitSection {
  std::string Name;  // "!!begin", "!!default" or the VRF's name
  int64_t Start = 1;
  int64_t LineCount = 0;
};

/// Splits the log at `logPath` into the temporary file `tempPath`, its
/// sections one after another, listed in `sections`. A temporary file that
/// would be the log or `protectedPath` (the run's result) is refused. On
/// failure nothing of the temporary file is left.
/// With `stop` set and true the split ends early, failing.
Status SplitTables(const std::string& logPath, const std::string& tempPath,
                   const std::string& protectedPath, std::vector<SplitSection>& sections,
                   const std::atomic<bool>* stop = nullptr);

/// The failure of a run that its caller stopped.
Status StoppedRun(const std::string& logPath);

/// Removes each backspace together with the character before it.
void ApplyBackspaces(std::string& line);

}  // namespace tess
