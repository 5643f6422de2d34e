#include "sorter/key_order_sort.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>

#include "sorter/radix_sort.h"

namespace tess {

namespace {

bool KeyLess(const LineRecord& a, const LineRecord& b) {
  return a.KeyHigh() != b.KeyHigh() ? a.KeyHigh() < b.KeyHigh() : a.KeyLow() < b.KeyLow();
}

// Whether neighbours in key order agree in the bits of words 1 to w but
// not in the sign of word w, for w from 1 to 3: the bitwise passes compare
// whole earlier words to find their groups, so such lines would part.
// Equal keys (which line numbers rule out) are left to the passes too.
bool NeedsThePasses(std::span<const LineRecord> lines) {
  for (size_t i = 1; i < lines.size(); ++i) {
    const LineRecord& a = lines[i - 1];
    const LineRecord& b = lines[i];
    const bool sameHigh = a.KeyHigh() == b.KeyHigh();
    if (sameHigh && a.KeyLow() == b.KeyLow()) return true;
    const uint32_t differ = a.Signs() ^ b.Signs();
    if (differ == 0) continue;
    if ((differ & 1) && (a.KeyHigh() >> 31) == (b.KeyHigh() >> 31)) return true;
    if ((differ & 2) && sameHigh) return true;
    if ((differ & 4) && sameHigh && (a.KeyLow() >> 31) == (b.KeyLow() >> 31)) return true;
  }
  return false;
}

// The bitwise passes over the lines in file order (line numbers grow with
// positions), then the lines in the order they leave.
void SortByThePasses(std::span<LineRecord> lines) {
  std::sort(lines.begin(), lines.end(),
            [](const LineRecord& a, const LineRecord& b) { return a.Position() < b.Position(); });
  SortRecords records;
  records.Resize(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    records.SortKey1[i] = lines[i].Word(0);
    records.SortKey2[i] = lines[i].Word(1);
    records.SortKey3[i] = lines[i].Word(2);
    records.SortKey4[i] = lines[i].Word(3);
    records.LinePosition[i] = static_cast<int64_t>(i);
  }
  RadixSort(records);
  std::vector<LineRecord> sorted;
  sorted.reserve(lines.size());
  for (const int64_t i : records.LinePosition) sorted.push_back(lines[static_cast<size_t>(i)]);
  std::copy(sorted.begin(), sorted.end(), lines.begin());
}

// The 124 key bits as one number: KeyLess is its order.
__extension__ typedef unsigned __int128 WholeKey;
WholeKey KeyOf(const LineRecord& r) { return static_cast<WholeKey>(r.KeyHigh()) << 62 | r.KeyLow(); }

constexpr int kDigitBits = 8;
constexpr size_t kSmallRange = 128;

// The bits in which some of the keys seen differ.
WholeKey DifferingBits(const KeyBitsSeen& seen) {
  return static_cast<WholeKey>(seen.AnyHigh ^ seen.AllHigh) << 62 | (seen.AnyLow ^ seen.AllLow);
}

// Sorts `lines`, whose keys differ in the bits `differ`, by key: a most
// significant digit first radix sort that skips the bits all keys share
// (the protocol, say, in most tables) and hands small ranges to a
// comparison sort. Equal keys may stand in any order (the passes then
// decide, see NeedsThePasses).
void RadixSortByKey(std::span<LineRecord> lines, WholeKey differ) {
  if (lines.size() <= kSmallRange) {
    std::sort(lines.begin(), lines.end(), [](const LineRecord& a, const LineRecord& b) { return KeyLess(a, b); });
    return;
  }
  if (differ == 0) return;
  // The highest bit in which keys differ, plus one.
  const uint64_t differHigh = static_cast<uint64_t>(differ >> 64);
  const int top = differHigh != 0 ? 128 - std::countl_zero(differHigh)
                                  : 64 - std::countl_zero(static_cast<uint64_t>(differ));
  const int shift = std::max(top - kDigitBits, 0);
  const auto digit = [shift](WholeKey key) {
    return static_cast<size_t>(key >> shift) & ((size_t{1} << kDigitBits) - 1);
  };
  constexpr size_t kDigits = size_t{1} << kDigitBits;
  std::array<size_t, kDigits + 1> start{};
  for (const LineRecord& r : lines) ++start[digit(KeyOf(r)) + 1];
  for (size_t d = 0; d < kDigits; ++d) start[d + 1] += start[d];
  // Each record goes straight to the next free place of its digit; on the
  // way the bits its digit's keys differ in are gathered, for the next level.
  std::array<size_t, kDigits> next;
  std::copy(start.begin(), start.end() - 1, next.begin());
  std::array<WholeKey, kDigits> any, all;
  any.fill(0);
  all.fill(~WholeKey{0});
  for (size_t d = 0; d < kDigits; ++d) {
    while (next[d] < start[d + 1]) {
      const WholeKey key = KeyOf(lines[next[d]]);
      const size_t to = digit(key);
      any[to] |= key;
      all[to] &= key;
      if (to == d) {
        ++next[d];
      } else {
        std::swap(lines[next[d]], lines[next[to]++]);
      }
    }
  }
  for (size_t d = 0; d < kDigits; ++d) {
    RadixSortByKey(lines.subspan(start[d], start[d + 1] - start[d]), any[d] ^ all[d]);
  }
}

}  // namespace

void SortInKeyOrder(std::span<LineRecord> lines, const KeyBitsSeen& seen) {
  RadixSortByKey(lines, DifferingBits(seen));
  if (NeedsThePasses(lines)) SortByThePasses(lines);
}

}  // namespace tess
