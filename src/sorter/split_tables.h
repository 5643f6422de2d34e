// Log splitting: writes the lines of a log, section by section (one per
// routing table), into one temporary file, repairing backspace editing,
// wrapped route lines and extra paths on the way.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "io/status.h"
#include "sorter/table_dialect.h"

namespace tess {

/// One routing-table section of a log: its lines stand in the temporary
/// file from byte position `Start` (1-based) on.
struct SplitSection {
  std::string Name;  // "!!begin", "!!default" or the VRF's name ("NAME (IPv6)" for IPv6)
  int64_t Start = 1;
  int64_t LineCount = 0;
  TableDialect Dialect = TableDialect::IosIpv4;
};

/// Told of each line the split writes: the index of its section in the
/// list and the section's dialect as known at that line (an IOS-XR table
/// turns out to be IPv6 at its first route), the line's text as it reads
/// back (without trailing CRs), and where it stands in the temporary file
/// (1-based position, length with line end).
using SplitLineObserver = std::function<void(size_t section, TableDialect dialect, std::string_view line,
                                             int64_t position, int64_t length)>;

/// Splits the log at `logPath` into the temporary file `tempPath`, its
/// sections one after another, listed in `sections`. A temporary file that
/// would be the log or `protectedPath` (the run's result) is refused. On
/// failure nothing of the temporary file is left.
/// With `stop` set and true the split ends early, failing. `observer`, when
/// set, hears of every line written. `bytesRead`, when set, has the bytes of
/// the log read added to it every few thousand lines; once the split
/// succeeded, all of the log's bytes have been added.
Status SplitTables(const std::string& logPath, const std::string& tempPath,
                   const std::string& protectedPath, std::vector<SplitSection>& sections,
                   const std::atomic<bool>* stop = nullptr, const SplitLineObserver& observer = {},
                   std::atomic<int64_t>* bytesRead = nullptr);

/// The failure of a run that its caller stopped.
Status StoppedRun(const std::string& logPath);

/// Removes each backspace together with the character before it.
void ApplyBackspaces(std::string& line);

}  // namespace tess
