// The sort run of one file slot: split, then per section build keys, sort,
// write and delete the section file.
#pragma once

#include <string>

#include "io/status.h"
#include "sorter/sort_state.h"

namespace tess {

/// The three paths a sort run of a slot works with.
struct SortPaths {
  std::string ReadFilePath;
  std::string TempBaseName;
  std::string WriteFilePath;
};

/// Sorts the log of `slot` into its result file. On failure the result file
/// keeps its previous content (or stays absent), the run's temporary files
/// are removed and the input is untouched.
Status RunSort(SortState& state, int slot, const SortPaths& paths, const SortOptions& options);

}  // namespace tess
