// Removal of section temporary files and of sort results.
#pragma once

#include "io/status.h"
#include "sorter/sort_state.h"

namespace tess {

/// Deletes the temporary file of `section` of the slot.
Status DeleteSectionFile(const SlotState& slot, int64_t section);
/// Deletes the slot's sort-result file; a missing file counts as deleted.
Status DeleteSortResult(const SlotState& slot);

}  // namespace tess
