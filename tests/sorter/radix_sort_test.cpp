#include "sorter/radix_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <tuple>

namespace tess {
namespace {

using Key = std::array<int32_t, 4>;

// Records 1..n from `keys`; each record's position is its input index.
SortRecords Make(const std::vector<Key>& keys) {
  SortRecords r;
  r.Resize(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) {
    r.SortKey1[i + 1] = keys[i][0];
    r.SortKey2[i + 1] = keys[i][1];
    r.SortKey3[i + 1] = keys[i][2];
    r.SortKey4[i + 1] = keys[i][3];
    r.LinePosition[i + 1] = static_cast<int64_t>(i);
  }
  return r;
}

std::vector<int64_t> Positions(const SortRecords& r) {
  return std::vector<int64_t>(r.LinePosition.begin() + 1, r.LinePosition.end());
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
  std::vector<int32_t>* word[5] = {nullptr, &r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  const int64_t n = static_cast<int64_t>(r.Count());
  for (int w = 1; w <= 4; ++w) {
    for (int k = 1; k <= 31; ++k) {
      int64_t p = 1;
      for (int64_t m = 1; m <= n; ++m) {
        const int32_t v = (*word[w])[m];
        bool same = ((*word[w])[p] & prefixMask[k]) == (v & prefixMask[k]);
        for (int e = 1; e < w; ++e) same = same && (*word[e])[p] == (*word[e])[m];
        if (!same) p = m;
        if ((v & bitValue[k]) == 0) {
          for (int e = w; e <= 4; ++e) std::swap((*word[e])[m], (*word[e])[p]);
          std::swap(r.LinePosition[m], r.LinePosition[p]);
          ++p;
        }
      }
    }
  }
}

TEST(RadixSort, SmallOrders) {
  const std::vector<Key> ascending = {{0, 0, 0, 2}, {0, 0, 0, 4}, {0, 5, 0, 2}, {1, 0, 0, 0}, {1, 0, 1, 0}};
  SortRecords r = Make(ascending);
  RadixSort(r);
  EXPECT_EQ(Positions(r), (std::vector<int64_t>{0, 1, 2, 3, 4}));

  std::vector<Key> descending(ascending.rbegin(), ascending.rend());
  r = Make(descending);
  RadixSort(r);
  EXPECT_EQ(Positions(r), (std::vector<int64_t>{4, 3, 2, 1, 0}));

  // Keys that differ only in the line number come out in line order.
  r = Make({{7, 7, 7, 10}, {7, 7, 7, 6}, {7, 7, 7, 8}, {7, 7, 7, 2}});
  RadixSort(r);
  EXPECT_EQ(Positions(r), (std::vector<int64_t>{3, 1, 2, 0}));

  // -1 counts by its bits 30 to 0: after 2^31 - 2.
  r = Make({{0, 0, -1, 2}, {0, 0, 0x7FFFFFFE, 4}, {0, 0, 0, 6}});
  RadixSort(r);
  EXPECT_EQ(Positions(r), (std::vector<int64_t>{2, 1, 0}));

  for (size_t n : {0u, 1u}) {
    r = Make(std::vector<Key>(n, Key{3, 2, 1, 0}));
    RadixSort(r);
    EXPECT_EQ(Positions(r), std::vector<int64_t>(n, 0));
  }
}

TEST(RadixSort, WholeWordGroupTestSeparatesANegativeWord) {
  // Words 1 agree in bits 30 to 0 but not in bit 31, so the passes on word 2
  // see two groups and leave the records as they are.
  SortRecords r = Make({{0x7FFFFFFF, 5, 0, 0}, {-1, 3, 0, 0}});
  RadixSort(r);
  EXPECT_EQ(Positions(r), (std::vector<int64_t>{0, 1}));
}

std::vector<Key> RandomKeys(std::mt19937& rng, size_t n, bool negatives) {
  // Small value ranges give many ties, so the group tests matter.
  std::uniform_int_distribution<int32_t> small(0, 3), any(0, 0x7FFFFFFF), coin(0, 3);
  std::vector<Key> keys(n);
  for (size_t i = 0; i < n; ++i) {
    for (int w = 0; w < 4; ++w) {
      int32_t v = coin(rng) == 0 ? any(rng) : small(rng) << (w * 7);
      if (negatives && coin(rng) == 0) v = static_cast<int32_t>(static_cast<uint32_t>(v) | 0x80000000u);
      keys[i][static_cast<size_t>(w)] = v;
    }
    keys[i][3] = (keys[i][3] & ~0x3FFFFFF) | static_cast<int32_t>(2 * (i + 1));  // unique, as line numbers make it
  }
  return keys;
}

TEST(RadixSort, EqualsAComparisonSortWhenNoWordIsNegative) {
  for (unsigned seed = 1; seed <= 5; ++seed) {
    std::mt19937 rng(seed);
    const std::vector<Key> keys = RandomKeys(rng, 300, false);
    SortRecords r = Make(keys);
    RadixSort(r);
    std::vector<int64_t> expected(keys.size());
    for (size_t i = 0; i < keys.size(); ++i) expected[i] = static_cast<int64_t>(i);
    std::sort(expected.begin(), expected.end(), [&](int64_t a, int64_t b) { return keys[a] < keys[b]; });
    EXPECT_EQ(Positions(r), expected) << "seed " << seed;
  }
}

TEST(RadixSort, EqualsTheDescribedPassesWithNegativeWords) {
  for (unsigned seed = 11; seed <= 15; ++seed) {
    std::mt19937 rng(seed);
    const std::vector<Key> keys = RandomKeys(rng, 300, true);
    SortRecords got = Make(keys), want = Make(keys);
    RadixSort(got);
    ReferenceSort(want);
    EXPECT_EQ(got.LinePosition, want.LinePosition) << "seed " << seed;
    EXPECT_EQ(got.SortKey1, want.SortKey1);
    EXPECT_EQ(got.SortKey2, want.SortKey2);
    EXPECT_EQ(got.SortKey3, want.SortKey3);
    EXPECT_EQ(got.SortKey4, want.SortKey4);
  }
}

}  // namespace
}  // namespace tess
