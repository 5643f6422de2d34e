#include "sorter/remove_files.h"

#include "io/paths.h"
#include "sorter/section_file_name.h"

namespace tess {

Status DeleteSectionFile(const SlotState& slot, int64_t section) {
  return RemoveFile(SectionFilePath(slot, section));
}

Status DeleteSortResult(const SlotState& slot) { return RemoveFile(slot.WriteFilePath); }

}  // namespace tess
