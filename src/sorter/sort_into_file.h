// One log sorted into an open result file: split into its routing tables
// in one temporary file while the sort keys are made, then per table sort
// and write; the temporary file is removed at the end.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "io/line_writer.h"
#include "io/status.h"
#include "sorter/sort_index.h"
#include "sorter/sort_options.h"

namespace tess {

/// Sorts the log at `logPath` into `out`, which the caller created and
/// commits. The temporary file is `tempBase` (the log's name with its
/// extension changed to ".(1)" or ".(2)") and never replaces the log or
/// `resultPath`. `index` tells where each table stands in `out`. Whatever
/// happens, the temporary file is removed, also when running out of memory
/// throws std::bad_alloc through the sort.
/// With `stop` set, the sort fails soon after it turns true. `bytesRead`,
/// when set, has the bytes of the log read added to it (see SplitTables).
Status SortIntoFile(const std::string& logPath, const std::string& tempBase,
                    const std::string& resultPath, const SortOptions& options, LineWriter& out,
                    SortIndex& index, const std::atomic<bool>* stop = nullptr,
                    std::atomic<int64_t>* bytesRead = nullptr);

}  // namespace tess
