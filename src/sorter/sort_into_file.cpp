#include "sorter/sort_into_file.h"

#include <vector>

#include "io/paths.h"
#include "sorter/key_order_sort.h"
#include "sorter/make_sort_keys.h"
#include "sorter/split_tables.h"
#include "sorter/write_sorted_table.h"

namespace tess {

namespace {

// Sorts each section of the temporary file in log order into `out` and
// records where each one stands. The sections follow one another in the
// file, so it is read once for the keys and once, in windows, for the lines.
Status SortSections(const std::string& logPath, const std::string& tempPath,
                    const std::vector<SplitSection>& sections, const SortOptions& options,
                    LineWriter& out, SortIndex& index, const std::atomic<bool>* stop) {
  const SortOrder order = options.InForce ? options.Order : SortOrder::Destination;
  LineReader keysIn;
  if (Status st = keysIn.Open(tempPath); !st.ok()) return st;
  ChunkedFile linesIn;
  if (Status st = linesIn.Open(tempPath); !st.ok()) return st;
  std::vector<LineRecord> lines;
  index.Tables.clear();
  index.RouteLineCount = 0;
  for (const SplitSection& section : sections) {
    if (stop != nullptr && *stop) return StoppedRun(logPath);
    const int64_t start = out.Position();
    keysIn.Seek(section.Start);
    if (Status st = MakeSortKeys(keysIn, section.LineCount, order, lines, index.RouteLineCount); !st.ok()) {
      return st;
    }
    SortInKeyOrder(lines);
    if (Status st = WriteSortedTable(linesIn, lines, options, out); !st.ok()) return st;
    index.Tables.push_back({section.Name, section.LineCount, start, out.Position()});
  }
  return Status::Ok();
}

}  // namespace

Status SortIntoFile(const std::string& logPath, const std::string& tempBase,
                    const std::string& resultPath, const SortOptions& options, LineWriter& out,
                    SortIndex& index, const std::atomic<bool>* stop) {
  std::vector<SplitSection> sections;
  // A failed split has removed what it wrote (and never touches a file it
  // refused to replace).
  if (Status st = SplitTables(logPath, tempBase, resultPath, sections, stop); !st.ok()) return st;
  const Status st = SortSections(logPath, tempBase, sections, options, out, index, stop);
  const Status removed = RemoveFile(tempBase);
  return st.ok() ? removed : st;
}

}  // namespace tess
