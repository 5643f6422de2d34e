#include "sorter/key_order_sort.h"

#include <algorithm>
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
    records.SortKey1[i + 1] = lines[i].Word(0);
    records.SortKey2[i + 1] = lines[i].Word(1);
    records.SortKey3[i + 1] = lines[i].Word(2);
    records.SortKey4[i + 1] = lines[i].Word(3);
    records.LinePosition[i + 1] = static_cast<int64_t>(i);
  }
  RadixSort(records);
  std::vector<LineRecord> sorted;
  sorted.reserve(lines.size());
  for (size_t i = 1; i <= lines.size(); ++i) {
    sorted.push_back(lines[static_cast<size_t>(records.LinePosition[i])]);
  }
  std::copy(sorted.begin(), sorted.end(), lines.begin());
}

}  // namespace

void SortInKeyOrder(std::span<LineRecord> lines) {
  // A lambda, not the function itself, so the comparison is inlined.
  std::sort(lines.begin(), lines.end(), [](const LineRecord& a, const LineRecord& b) { return KeyLess(a, b); });
  if (NeedsThePasses(lines)) SortByThePasses(lines);
}

}  // namespace tess
