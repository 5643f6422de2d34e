// The report of two sorted logs: header, table walk and verdict.
#pragma once

#include <cstdint>
#include <string>

#include "compare/comparison_record.h"
#include "compare/report_text.h"
#include "io/line_writer.h"
#include "io/status.h"
#include "sorter/sort_index.h"

namespace tess {

/// A sorted log as the comparison reads it.
struct SortedLog {
  std::string LogPath;     // named in the report's header
  std::string ResultPath;  // the sort result to read back
  SortIndex Index;         // where its tables stand in the sort result
};

/// Writes the report of `before` against `after` into `report` (which the
/// caller created and commits) and sets `differenceCount`. With a `record`,
/// its tables and differences are recorded there as well.
Status WriteComparisonReport(const SortedLog& before, const SortedLog& after,
                             ReportEncoding encoding, LineWriter& report, int64_t& differenceCount,
                             ComparisonRecord* record = nullptr);

}  // namespace tess
