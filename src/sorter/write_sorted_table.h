// Sorted output writer: re-reads a section's lines in sorted order, folds
// extra paths back under their route, filters and writes them.
#pragma once

#include <span>
#include <string>

#include "io/line_writer.h"
#include "io/status.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"
#include "sorter/sorted_line_reader.h"

namespace tess {

/// Writes `lines` of a section of the temporary file to `out` in their
/// order, with `options` applied to every route line when in force, reading
/// at most `windowBytes` of line texts at once.
Status WriteSortedTable(SortedLineReader& temporaryFile, std::span<const LinePlace> lines,
                        const SortOptions& options, LineWriter& out,
                        size_t windowBytes = SortedLineReader::kDefaultWindowBytes);

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
