// What each item of the information filter removes from a line of a table
// read as route blocks (NX-OS, IOS IPv6, IOS-XR IPv6).
#pragma once

#include <string>

#include "sorter/route_block_line.h"
#include "sorter/sort_options.h"
#include "sorter/table_dialect.h"

namespace tess {

/// Applies `filter` to `line`, a line of a `dialect` table whose role in its
/// route block is `role`. Loose lines are never changed.
void ApplyDialectFilter(std::string& line, TableDialect dialect, LineRole role, const InfoFilter& filter);

}  // namespace tess
