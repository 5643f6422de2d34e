// The differences of a record grouped by table, as the HTML page and the
// report viewer count them.
#include <gtest/gtest.h>

#include "compare/record_summary.h"

namespace tess {
namespace {

RecordedDifference Of(DifferenceKind kind, const std::string& table) { return {kind, false, table, {}, {}}; }

struct Expected {
  std::string_view name;
  std::vector<size_t> differences;
  std::array<int64_t, 3> counts;
};

TEST(RecordSummary, EachDifferenceCountsOnceUnderItsTable) {
  using K = DifferenceKind;
  const struct {
    const char* what;
    ComparisonRecord record;
    std::vector<Expected> expected;
  } cases[] = {
      {"the walk's record: tables in order, one without differences",
       {{{"(Default Instance)", TableOutcome::Compared}, {"A", TableOutcome::Gone}, {"B", TableOutcome::Compared}},
        {Of(K::Gone, "(Default Instance)"), Of(K::Changed, "(Default Instance)"), Of(K::Gone, "A")}},
       {{"(Default Instance)", {0, 1}, {1, 0, 1}}, {"A", {2}, {1, 0, 0}}, {"B", {}, {0, 0, 0}}}},
      {"a name listed twice: the first at or after the previous difference's",
       {{{"A", TableOutcome::Compared}, {"B", TableOutcome::Compared}, {"A", TableOutcome::Compared}},
        {Of(K::New, "A"), Of(K::New, "B"), Of(K::Changed, "A")}},
       {{"A", {0}, {0, 1, 0}}, {"B", {1}, {0, 1, 0}}, {"A", {2}, {0, 0, 1}}}},
      {"differences under no heading, before and between listed tables: one summary after them",
       {{{"A", TableOutcome::Compared}, {"B", TableOutcome::New}},
        {Of(K::Gone, ""), Of(K::New, ""), Of(K::Changed, "A"), Of(K::Gone, ""), Of(K::New, "B")}},
       {{"A", {2}, {0, 0, 1}}, {"B", {4}, {0, 1, 0}}, {"", {0, 1, 3}, {2, 1, 0}}}},
      {"an empty record", {}, {}},
  };
  for (const auto& c : cases) {
    const std::vector<TableSummary> tables = SummariseByTable(c.record);
    ASSERT_EQ(tables.size(), c.expected.size()) << c.what;
    for (size_t t = 0; t < tables.size(); ++t) {
      EXPECT_EQ(tables[t].Name, c.expected[t].name) << c.what << " " << t;
      EXPECT_EQ(tables[t].Differences, c.expected[t].differences) << c.what << " " << t;
      EXPECT_EQ(tables[t].Counts, c.expected[t].counts) << c.what << " " << t;
      EXPECT_EQ(tables[t].Total(), static_cast<int64_t>(c.expected[t].differences.size())) << c.what;
    }
  }
}

}  // namespace
}  // namespace tess
