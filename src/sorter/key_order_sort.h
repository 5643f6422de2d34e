// The sort of a section's records, fast: the order RadixSort gives, found
// by a comparison sort.
#pragma once

#include "sorter/sort_records.h"

namespace tess {

/// Sorts records 1 to n into exactly the order RadixSort gives them. Keys
/// are compared by bits 30 to 0 of their four words; where a word's sign bit
/// differs between records whose bits so far agree (which makes the bitwise
/// passes split a group), the records are handed to RadixSort itself.
/// Only the line positions and lengths are kept: the key words are used up
/// (left empty, or sorted when the passes ran).
void SortInKeyOrder(SortRecords& records);

}  // namespace tess
