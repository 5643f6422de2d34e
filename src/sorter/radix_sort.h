// Bitwise most-significant-bit-first radix sort of the section records.
#pragma once

#include "sorter/sort_records.h"

namespace tess {

/// Sorts the records in place into ascending order of the 124-bit key
/// formed by bits 30 to 0 of the four key words.
void RadixSort(SortRecords& records);

}  // namespace tess
