// Sorted output writer: re-reads a section's lines in sorted order, folds
// extra paths back under their route, filters and writes them.
#pragma once

#include <span>
#include <string>

#include "io/line_writer.h"
#include "io/status.h"
#include "sorter/route_block_line.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"
#include "sorter/sorted_line_reader.h"
#include "sorter/table_dialect.h"

namespace tess {

/// Writes `lines` of a section of the temporary file to `out` in their
/// order, with `options` applied to every route line when in force, reading
/// at most `windowBytes` of line texts at once.
Status WriteSortedTable(SortedLineReader& temporaryFile, std::span<const LinePlace> lines,
                        const SortOptions& options, LineWriter& out,
                        size_t windowBytes = SortedLineReader::kDefaultWindowBytes);

/// The same for a section of `dialect`, read as route blocks: there are no
/// extra paths to fold, and the filter applies to each line by its role in
/// its route (`roles`, in the order of `lines`).
Status WriteSortedBlocks(SortedLineReader& temporaryFile, std::span<const LinePlace> lines,
                         std::span<const LineRole> roles, const SortOptions& options, TableDialect dialect,
                         LineWriter& out, size_t windowBytes = SortedLineReader::kDefaultWindowBytes);

/// Folding of extra paths across consecutive lines of one section.
class PathFolder {
 public:
  /// Folds `line` (as read) in place when it continues the route of the
  /// previous line: the text before its "[" becomes spaces. An extra-path
  /// line loses its closing " *" in any case.
  void Fold(std::string& line);

 private:
  std::string previous_;
  bool pending_ = false;
};

}  // namespace tess
