#include "sorter/sort_into_file.h"

#include <algorithm>
#include <vector>

#include "io/paths.h"
#include "sorter/key_order_sort.h"
#include "sorter/make_sort_keys.h"
#include "sorter/split_tables.h"
#include "sorter/write_sorted_table.h"

namespace tess {

namespace {

// Bytes of text the read-back window of a table may take per line. Once a
// table is sorted only the records' places are kept (KeepOnlyPlaces): the
// other bytes of each record go back before the read-back, and the window
// takes 12 of them (the rest is for its bookkeeping), so the peak stays that
// of the records. A table in an order far from the log's (by next hop, say)
// is then read in a few windows, each reading the whole temporary file, not
// one per 16 MB.
constexpr size_t kWindowBytesPerLine = 12;
static_assert(kWindowBytesPerLine < sizeof(LineRecord) - sizeof(LinePlace),
              "the read-back window takes only memory the sorted records give back");

// Sorts each section's records (they follow one another in the key maker's
// records, as the sections do in the temporary file) and writes its lines
// in that order into `out`, recording where each section stands.
Status SortSections(const std::string& logPath, const std::string& tempPath,
                    const std::vector<SplitSection>& sections, SortKeyMaker& keys,
                    const SortOptions& options, LineWriter& out, SortIndex& index,
                    const std::atomic<bool>* stop) {
  SortedLineReader linesIn;
  if (Status st = linesIn.Open(tempPath); !st.ok()) return st;
  index.Tables.clear();
  index.Tables.reserve(sections.size());
  size_t first = 0;
  std::vector<LinePlace> blockPlaces;
  std::vector<LineRole> blockRoles;
  for (size_t s = 0; s < sections.size(); ++s) {
    const SplitSection& section = sections[s];
    if (stop != nullptr && *stop) return StoppedRun(logPath);
    const int64_t start = out.Position();
    const size_t lineCount = static_cast<size_t>(section.LineCount);
    Status written;
    if (keys.IsBlockSection(s)) {
      // No records gave memory back here: the default window.
      keys.BlockLinesInOrder(s, blockPlaces, blockRoles);
      written = WriteSortedBlocks(linesIn, blockPlaces, blockRoles, options, section.Dialect, out);
    } else {
      const size_t window = std::max(SortedLineReader::kDefaultWindowBytes, lineCount * kWindowBytesPerLine);
      const std::span<LineRecord> lines = keys.Records().Part(first, lineCount);
      first += lineCount;
      SortInKeyOrder(lines, keys.KeyBitsOf(s));
      written = WriteSortedTable(linesIn, KeepOnlyPlaces(lines), options, out, window);
    }
    if (!written.ok()) return written;
    index.Tables.push_back({section.Name, section.LineCount, start, out.Position(), section.Dialect});
  }
  return Status::Ok();
}

}  // namespace

Status SortIntoFile(const std::string& logPath, const std::string& tempBase,
                    const std::string& resultPath, const SortOptions& options, LineWriter& out,
                    SortIndex& index, const std::atomic<bool>* stop, std::atomic<int64_t>* bytesRead) {
  std::vector<SplitSection> sections;
  // The keys are made as the split writes each line, so the temporary file
  // is read back only once, in sorted order.
  SortKeyMaker keys(options.InForce ? options.Order : SortOrder::Destination);
  const SplitLineObserver makeKey = [&keys](size_t section, TableDialect dialect, std::string_view line,
                                            int64_t position, int64_t length) {
    keys.Add(section, dialect, line, position, length);
  };
  // A failed split has removed what it wrote (and never touches a file it
  // refused to replace).
  if (Status st = SplitTables(logPath, tempBase, resultPath, sections, stop, makeKey, bytesRead); !st.ok()) {
    return st;
  }
  index.RouteLineCount = keys.RouteLineCount();
  Status st;
  try {
    st = SortSections(logPath, tempBase, sections, keys, options, out, index, stop);
  } catch (...) {
    // Out of memory: the run fails further up, without its temporary file.
    RemoveFile(tempBase);
    throw;
  }
  const Status removed = RemoveFile(tempBase);
  return st.ok() ? removed : st;
}

}  // namespace tess
