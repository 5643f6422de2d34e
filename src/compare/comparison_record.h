// A comparison's tables and differences as values, taken from the same walk
// that writes the report, for callers that want more than the report file.
// Every text is UTF-8.
#pragma once

#include <string>
#include <vector>

namespace tess {

enum class TableOutcome { Compared, Gone, New };
enum class DifferenceKind { Gone, New, Changed };

struct RecordedTable {
  std::string Name;  // as the report names it: "(不明)", "(Default Instance)" or the VRF's name
  TableOutcome Outcome = TableOutcome::Compared;
};

/// One difference of the report: a route block gone, new or changed, or a
/// whole table only one log has (counted once, with all its route lines).
struct RecordedDifference {
  DifferenceKind Kind = DifferenceKind::Changed;
  bool WholeTable = false;
  std::string Table;
  std::vector<std::string> Before;  // route lines of log 1, as the report shows them
  std::vector<std::string> After;   // route lines of log 2
};

struct ComparisonRecord {
  std::vector<RecordedTable> Tables;
  std::vector<RecordedDifference> Differences;
};

}  // namespace tess
