#include "sorter/key_order_sort.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "sorter/radix_sort.h"

namespace tess {

namespace {

// A record's key as two 62-bit halves (bits 30 to 0 of words 1 and 2, of
// words 3 and 4), the sign bits of its words, and its index.
struct PackedKey {
  uint64_t high;
  uint64_t low;
  uint32_t index;
  uint32_t signs;  // bit w - 1 set when word w is negative
};

uint64_t Bits(int32_t word) { return static_cast<uint32_t>(word) & 0x7FFFFFFFu; }

std::vector<PackedKey> Pack(const SortRecords& r) {
  const size_t n = r.Count();
  std::vector<PackedKey> keys;
  keys.reserve(n);
  for (size_t i = 1; i <= n; ++i) {
    const int32_t w[4] = {r.SortKey1[i], r.SortKey2[i], r.SortKey3[i], r.SortKey4[i]};
    uint32_t signs = 0;
    for (int k = 0; k < 4; ++k) signs |= (w[k] < 0 ? 1u : 0u) << k;
    keys.push_back({Bits(w[0]) << 31 | Bits(w[1]), Bits(w[2]) << 31 | Bits(w[3]),
                    static_cast<uint32_t>(i), signs});
  }
  return keys;
}

// Whether neighbours in key order agree in the bits of words 1 to w but
// not in the sign of word w, for w from 1 to 3: the bitwise passes compare
// whole earlier words to find their groups, so such records would part.
// Equal keys (which line numbers rule out) are left to the passes too.
bool NeedsThePasses(const std::vector<PackedKey>& keys) {
  for (size_t i = 1; i < keys.size(); ++i) {
    const PackedKey& a = keys[i - 1];
    const PackedKey& b = keys[i];
    if (a.high == b.high && a.low == b.low) return true;
    const uint32_t differ = a.signs ^ b.signs;
    if (differ == 0) continue;
    if ((differ & 1) && (a.high >> 31) == (b.high >> 31)) return true;
    if ((differ & 2) && a.high == b.high) return true;
    if ((differ & 4) && a.high == b.high && (a.low >> 31) == (b.low >> 31)) return true;
  }
  return false;
}

// Puts entry order[i] of `values` at i + 1 (entry 0 stays unused).
// The key words back from their packed form, for the bitwise passes.
void Unpack(const std::vector<PackedKey>& keys, SortRecords& r) {
  std::vector<int32_t>* words[4] = {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  for (std::vector<int32_t>* word : words) word->assign(keys.size() + 1, 0);
  for (const PackedKey& key : keys) {
    const uint64_t bits[4] = {key.high >> 31, key.high & 0x7FFFFFFF, key.low >> 31, key.low & 0x7FFFFFFF};
    for (int w = 0; w < 4; ++w) {
      const uint32_t sign = (key.signs >> w & 1u) << 31;
      (*words[w])[key.index] = static_cast<int32_t>(static_cast<uint32_t>(bits[w]) | sign);
    }
  }
}

template <typename T>
void Permute(std::vector<T>& values, const std::vector<uint32_t>& order) {
  if (values.empty()) return;
  std::vector<T> sorted;
  sorted.reserve(values.size());
  sorted.push_back(values[0]);
  for (uint32_t index : order) sorted.push_back(values[index]);
  values.swap(sorted);
}

}  // namespace

void SortInKeyOrder(SortRecords& r) {
  if (r.Count() < 2) return;
  std::vector<PackedKey> keys = Pack(r);
  // The words live on in `keys` only, which keeps the peak of memory low.
  for (std::vector<int32_t>* word : {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4}) {
    std::vector<int32_t>().swap(*word);
  }
  std::sort(keys.begin(), keys.end(), [](const PackedKey& a, const PackedKey& b) {
    return a.high != b.high ? a.high < b.high : a.low < b.low;
  });
  if (NeedsThePasses(keys)) {
    Unpack(keys, r);
    return RadixSort(r);
  }
  std::vector<uint32_t> order;
  order.reserve(keys.size());
  for (const PackedKey& key : keys) order.push_back(key.index);
  std::vector<PackedKey>().swap(keys);  // the memory goes before the copies below
  Permute(r.LinePosition, order);
  Permute(r.LineLength, order);
}

}  // namespace tess
