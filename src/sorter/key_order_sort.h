// The sort of a section's lines, fast: the order RadixSort gives, found by
// a byte-wise radix sort on the whole key.
#pragma once

#include <span>

#include "sorter/sort_records.h"

namespace tess {

/// Sorts `lines`, whose key bits `seen` tells, into exactly the order
/// RadixSort gives them. Keys are compared by bits 30 to 0 of their four
/// words; where a word's sign bit differs between lines whose bits so far
/// agree (which makes the bitwise passes split a group), the lines are
/// handed to RadixSort itself.
void SortInKeyOrder(std::span<LineRecord> lines, const KeyBitsSeen& seen);

}  // namespace tess
