#include "sorter/sort_run.h"

#include <vector>

#include "io/line_writer.h"
#include "io/paths.h"
#include "sorter/make_sort_keys.h"
#include "sorter/radix_sort.h"
#include "sorter/remove_files.h"
#include "sorter/split_tables.h"
#include "sorter/write_sorted_table.h"

namespace tess {

namespace {

Status SortSections(SortState& state, int slot, const SortOptions& options,
                    std::vector<std::string>& created) {
  SlotState& s = state.Slot[static_cast<size_t>(slot)];
  LineWriter out;
  if (Status st = out.Create(s.WriteFilePath, LineWriter::Mode::kReplaceOnCommit); !st.ok()) return st;
  const int order = options.InForce ? options.Order : 0;
  const int64_t last = s.LastTableIndex;
  for (int64_t t = 0; t <= last; ++t) {
    if (Status st = MakeSortKeys(state, slot, t, order); !st.ok()) return st;
    RadixSort(state.Records);
    if (Status st = WriteSortedTable(state, slot, t, options, out); !st.ok()) return st;
    if (Status st = DeleteSectionFile(s, t); !st.ok()) return st;
  }
  created.clear();
  return out.Commit();
}

}  // namespace

Status RunSort(SortState& state, int slot, const SortPaths& paths, const SortOptions& options) {
  SlotState& s = state.Slot[static_cast<size_t>(slot)];
  s.ReadFilePath = paths.ReadFilePath;
  s.TempBaseName = paths.TempBaseName;
  s.WriteFilePath = paths.WriteFilePath;
  if (SameFile(s.ReadFilePath, s.WriteFilePath)) {
    return Status::Fail(s.WriteFilePath, "the sort result would overwrite the input");
  }
  std::vector<std::string> created;
  Status st = SplitTables(s, s.WriteFilePath, created);
  if (st.ok()) st = SortSections(state, slot, options, created);
  if (!st.ok()) {
    for (const std::string& path : created) RemoveFile(path);
  }
  return st;
}

}  // namespace tess
