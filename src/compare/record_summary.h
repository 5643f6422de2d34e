// A comparison's differences grouped by table, with their counts per kind:
// the summary that the HTML page and the report viewer show.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "compare/comparison_record.h"

namespace tess {

/// One table of a record and its differences.
struct TableSummary {
  std::string_view Name;  // a view into the record
  TableOutcome Outcome = TableOutcome::Compared;
  std::vector<size_t> Differences;  // indexes into the record's Differences, in order
  std::array<int64_t, 3> Counts{};  // by DifferenceKind: gone, new, changed
  int64_t Total() const { return Counts[0] + Counts[1] + Counts[2]; }
};

/// The tables of `record` in record order, each with its differences. The
/// walk records a table before its differences, so each difference belongs
/// to the first table of its name at or after the previous difference's. A
/// difference of a table the record does not list gets a summary of its
/// own after the listed ones: every difference is counted, whatever the
/// record holds. The result refers to `record`, which must outlive it.
std::vector<TableSummary> SummariseByTable(const ComparisonRecord& record);

}  // namespace tess
