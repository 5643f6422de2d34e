#include "sorter/write_sorted_table.h"

#include <string_view>

#include "sorter/dialect_filter.h"
#include "sorter/info_filter.h"
#include "sorter/log_format.h"
#include "sorter/sorted_line_reader.h"

namespace tess {

namespace {

// Whether `line` and `previous` have their first "[" at the same column c > 0
// and agree in their first c characters.
bool SameHead(std::string_view line, std::string_view previous, size_t& c) {
  c = BracketColumn(line);
  return c > 0 && c == BracketColumn(previous) && line.substr(0, c) == previous.substr(0, c);
}

void BlankHead(std::string& line, size_t c) { line.replace(0, c - 1, c - 1, ' '); }

}  // namespace

void PathFolder::Fold(std::string& line) {
  const bool extraPath = line.ends_with(kExtraPathMark) && PassesWriterRouteTest(line);
  if (extraPath) line.resize(line.size() - kExtraPathMark.size());
  size_t c = 0;
  const bool fold = (extraPath || pending_) && SameHead(line, previous_, c);
  previous_ = line;  // as read, less " *"; never the folded form
  if (fold) {
    BlankHead(line, c);
    if (!extraPath) pending_ = false;
  } else if (extraPath) {
    pending_ = true;
  }
}

Status WriteSortedTable(SortedLineReader& temporaryFile, std::span<const LinePlace> lines,
                        const SortOptions& options, LineWriter& out, size_t windowBytes) {
  PathFolder folder;
  std::string line;
  return temporaryFile.Read(lines, [&](std::string_view asRead) {
    const bool routeLine = PassesWriterRouteTest(asRead);
    line.assign(asRead);
    folder.Fold(line);
    if (options.InForce && routeLine) ApplyInfoFilter(line, options.Filter, asRead);
    out.WriteLine(line);
  }, windowBytes);
}

Status WriteSortedBlocks(SortedLineReader& temporaryFile, std::span<const LinePlace> lines,
                         std::span<const LineRole> roles, const SortOptions& options, TableDialect dialect,
                         LineWriter& out, size_t windowBytes) {
  std::string line;
  size_t next = 0;
  return temporaryFile.Read(lines, [&](std::string_view asRead) {
    const LineRole role = roles[next++];
    if (!options.InForce || role == LineRole::Loose) {
      out.WriteLine(asRead);
      return;
    }
    line.assign(asRead);
    ApplyDialectFilter(line, dialect, role, options.Filter);
    out.WriteLine(line);
  }, windowBytes);
}

}  // namespace tess
