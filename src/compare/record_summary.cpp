#include "compare/record_summary.h"

#include <map>

namespace tess {

static_assert(static_cast<size_t>(DifferenceKind::Gone) == 0 &&
              static_cast<size_t>(DifferenceKind::New) == 1 &&
              static_cast<size_t>(DifferenceKind::Changed) == 2);

std::vector<TableSummary> SummariseByTable(const ComparisonRecord& record) {
  std::vector<TableSummary> tables;
  for (const RecordedTable& t : record.Tables) tables.push_back({t.Name, t.Outcome, {}, {}});
  const size_t listed = tables.size();
  std::map<std::string_view, size_t> unlisted;  // name -> its summary
  size_t next = 0;
  for (size_t i = 0; i < record.Differences.size(); ++i) {
    const RecordedDifference& d = record.Differences[i];
    size_t g = next;
    while (g < listed && tables[g].Name != d.Table) ++g;
    if (g < listed) {
      next = g;
    } else if (const auto found = unlisted.find(d.Table); found != unlisted.end()) {
      g = found->second;
    } else {
      g = tables.size();
      unlisted.emplace(d.Table, g);
      tables.push_back({d.Table, TableOutcome::Compared, {}, {}});
    }
    tables[g].Differences.push_back(i);
    ++tables[g].Counts[static_cast<size_t>(d.Kind)];
  }
  return tables;
}

}  // namespace tess
