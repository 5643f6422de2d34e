// One log sorted into an open result file: split into its routing tables,
// then per table build keys, sort, write, and remove the table's temporary
// file.
#pragma once

#include <string>

#include "io/line_writer.h"
#include "io/status.h"
#include "sorter/sort_index.h"
#include "sorter/sort_options.h"

namespace tess {

/// Sorts the log at `logPath` into `out`, which the caller created and
/// commits. Section files are named from `tempBase` and never replace
/// `resultPath`. `index` tells where each table stands in `out`. Whatever
/// happens, no section file is left behind.
Status SortIntoFile(const std::string& logPath, const std::string& tempBase,
                    const std::string& resultPath, const SortOptions& options, LineWriter& out,
                    SortIndex& index);

}  // namespace tess
