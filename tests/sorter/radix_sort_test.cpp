#include "sorter/radix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace tess {
namespace {

using Key = std::array<int32_t, 4>;

// Records from `keys`; each record's position is its input index.
SortRecords Make(const std::vector<Key>& keys) {
  SortRecords r;
  r.Resize(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    std::tie(r.SortKey1[i], r.SortKey2[i], r.SortKey3[i], r.SortKey4[i]) = std::tuple_cat(keys[i]);
    r.LinePosition[i] = static_cast<int64_t>(i);
  }
  return r;
}

std::vector<int64_t> SortedPositions(const std::vector<Key>& keys) {
  SortRecords r = Make(keys);
  RadixSort(r);
  return r.LinePosition;
}

// The described algorithm, pass by pass, with its two bit tables built by
// halving in floating point.
void ReferenceSort(SortRecords& r) {
  int32_t bitValue[32], prefixMask[32];
  bitValue[0] = 0;
  bitValue[1] = 1073741824;
  prefixMask[0] = prefixMask[1] = 0;
  for (int k = 2; k <= 31; ++k) {
    bitValue[k] = static_cast<int32_t>(std::nearbyint(bitValue[k - 1] / 2.0));
    prefixMask[k] = static_cast<int32_t>(std::nearbyint(prefixMask[k - 1] / 2.0 + 1073741824.0));
  }
  std::vector<int32_t>* word[4] = {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  const size_t n = r.Count();
  for (int w = 0; w < 4; ++w) {
    for (int k = 1; k <= 31; ++k) {
      size_t p = 0;
      for (size_t m = 0; m < n; ++m) {
        const int32_t v = (*word[w])[m];
        bool same = ((*word[w])[p] & prefixMask[k]) == (v & prefixMask[k]);
        for (int e = 0; e < w; ++e) same = same && (*word[e])[p] == (*word[e])[m];
        if (!same) p = m;
        if ((v & bitValue[k]) == 0) {
          for (int e = w; e < 4; ++e) std::swap((*word[e])[m], (*word[e])[p]);
          std::swap(r.LinePosition[m], r.LinePosition[p]);
          ++p;
        }
      }
    }
  }
}

TEST(RadixSort, NegativeWordsAndTinyInputs) {
  // -1 counts by its bits 30 to 0: after 2^31 - 2.
  EXPECT_EQ(SortedPositions({{0, 0, -1, 2}, {0, 0, 0x7FFFFFFE, 4}, {0, 0, 0, 6}}), (std::vector<int64_t>{2, 1, 0}));
  // Words 1 agree in bits 30 to 0 but not in bit 31, so the passes on word 2
  // see two groups and leave the records as they are.
  EXPECT_EQ(SortedPositions({{0x7FFFFFFF, 5, 0, 0}, {-1, 3, 0, 0}}), (std::vector<int64_t>{0, 1}));
  EXPECT_EQ(SortedPositions({}), std::vector<int64_t>{});
  EXPECT_EQ(SortedPositions({{3, 2, 1, 0}}), std::vector<int64_t>{0});
}

// Random keys over small value ranges give many ties, so the group tests
// matter. Without negative words the result is a comparison sort's; with
// them it is the described passes'.
TEST(RadixSort, EqualsTheDescribedPassesAndWithoutNegativesAComparisonSort) {
  for (unsigned seed = 1; seed <= 10; ++seed) {
    const bool negatives = seed % 2 == 0;
    std::mt19937 rng(seed);
    std::uniform_int_distribution<int32_t> small(0, 3), any(0, 0x7FFFFFFF), coin(0, 3);
    std::vector<Key> keys(300);
    for (size_t i = 0; i < keys.size(); ++i) {
      for (int w = 0; w < 4; ++w) {
        int32_t v = coin(rng) == 0 ? any(rng) : small(rng) << (w * 7);
        if (negatives && coin(rng) == 0) v = static_cast<int32_t>(static_cast<uint32_t>(v) | 0x80000000u);
        keys[i][static_cast<size_t>(w)] = v;
      }
      keys[i][3] = (keys[i][3] & ~0x3FFFFFF) | static_cast<int32_t>(2 * (i + 1));  // unique, as line numbers make it
    }
    SortRecords got = Make(keys), want = Make(keys);
    RadixSort(got);
    ReferenceSort(want);
    EXPECT_EQ(std::tie(got.LinePosition, got.SortKey1, got.SortKey2, got.SortKey3, got.SortKey4),
              std::tie(want.LinePosition, want.SortKey1, want.SortKey2, want.SortKey3, want.SortKey4))
        << "seed " << seed;
    if (!negatives) {
      std::vector<int64_t> expected(keys.size());
      for (size_t i = 0; i < keys.size(); ++i) expected[i] = static_cast<int64_t>(i);
      std::sort(expected.begin(), expected.end(), [&](int64_t a, int64_t b) { return keys[a] < keys[b]; });
      EXPECT_EQ(SortedPositions(keys), expected) << "seed " << seed;
    }
  }
}

}  // namespace
}  // namespace tess
