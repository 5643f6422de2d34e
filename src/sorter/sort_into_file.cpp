#include "sorter/sort_into_file.h"

#include <vector>

#include "io/paths.h"
#include "sorter/make_sort_keys.h"
#include "sorter/radix_sort.h"
#include "sorter/split_tables.h"
#include "sorter/write_sorted_table.h"

namespace tess {

namespace {

// Sorts each section in log order into `out`, removing its file once
// written, and records where each one stands.
Status SortSections(const std::vector<SplitSection>& sections, const SortOptions& options,
                    LineWriter& out, SortIndex& index) {
  const SortOrder order = options.InForce ? options.Order : SortOrder::Destination;
  SortRecords records;
  index.Tables.clear();
  index.RouteLineCount = 0;
  for (const SplitSection& section : sections) {
    const int64_t start = out.Position();
    if (Status st = MakeSortKeys(section.FilePath, section.LineCount, order, records); !st.ok()) {
      return st;
    }
    RadixSort(records);
    index.RouteLineCount += records.RouteLineCount;
    if (Status st = WriteSortedTable(section.FilePath, records, options, out); !st.ok()) return st;
    if (Status st = RemoveFile(section.FilePath); !st.ok()) return st;
    index.Tables.push_back({section.Name, section.LineCount, start, out.Position()});
  }
  return Status::Ok();
}

}  // namespace

Status SortIntoFile(const std::string& logPath, const std::string& tempBase,
                    const std::string& resultPath, const SortOptions& options, LineWriter& out,
                    SortIndex& index) {
  std::vector<SplitSection> sections;
  Status st = SplitTables(logPath, tempBase, resultPath, sections);
  if (st.ok()) st = SortSections(sections, options, out, index);
  if (!st.ok()) {
    for (const SplitSection& section : sections) RemoveFile(section.FilePath);
  }
  return st;
}

}  // namespace tess
