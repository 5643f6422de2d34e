// The fast sort against the bitwise passes it replaces: the same order on
// millions of random keys, with negative words, equal leading words and
// keys told apart only by their line number.
#include "sorter/key_order_sort.h"

#include <gtest/gtest.h>

#include <random>

#include "sorter/radix_sort.h"

namespace tess {
namespace {

// `n` records whose words come from small ranges (many equal leading words),
// sometimes anything, sometimes negative; word 4 ends in twice the line
// number, as the key builder makes it.
SortRecords RandomRecords(std::mt19937& rng, size_t n, int negativeOneIn) {
  std::uniform_int_distribution<int32_t> small(0, 2), any(0, 0x7FFFFFFF), dice(0, 99);
  SortRecords r;
  r.Resize(n);
  std::vector<int32_t>* words[4] = {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  for (size_t i = 1; i <= n; ++i) {
    for (int w = 0; w < 4; ++w) {
      int32_t v = dice(rng) < 5 ? any(rng) : small(rng) << (w * 5);
      if (negativeOneIn > 0 && dice(rng) % negativeOneIn == 0) {
        v = dice(rng) < 50 ? -1 : static_cast<int32_t>(static_cast<uint32_t>(v) | 0x80000000u);
      }
      (*words[w])[i] = v;
    }
    r.SortKey4[i] = (r.SortKey4[i] & ~0x3FFFFFF) | static_cast<int32_t>(2 * i);
    r.LinePosition[i] = static_cast<int64_t>(i) * 10;
  }
  return r;
}

TEST(SortInKeyOrder, GivesTheOrderOfTheBitwisePasses) {
  size_t total = 0;
  const struct {
    size_t n;
    int negativeOneIn;  // 0: no negative words
    int rounds;
  } cases[] = {{1'000'000, 0, 1}, {300'000, 50, 2}, {100'000, 5, 4}, {2'000, 2, 50}, {3, 2, 200}};
  for (const auto& c : cases) {
    std::mt19937 rng(static_cast<unsigned>(c.n + c.negativeOneIn));
    for (int round = 0; round < c.rounds; ++round) {
      SortRecords fast = RandomRecords(rng, c.n, c.negativeOneIn);
      SortRecords reference = fast;
      SortInKeyOrder(fast);
      RadixSort(reference);
      ASSERT_EQ(fast.LinePosition, reference.LinePosition) << c.n << " records, round " << round;
      total += c.n;
    }
  }
  EXPECT_GT(total, 2'000'000u);
}

// Order 4 gives non-route lines a word 3 of -1 while the mask in force is
// 0; beside lines whose word 3 has all its low bits set, the passes keep
// them in groups of their own.
TEST(SortInKeyOrder, SignSplitGroupsKeepTheOrderOfThePasses) {
  SortRecords r;
  r.Resize(6);
  const int32_t word3[] = {0, -1, 0x7FFFFFFF, -1, 0x7FFFFFFF, -1, 0x7FFFFFFF};
  for (size_t i = 1; i <= 6; ++i) {
    r.SortKey1[i] = 1 << 29;
    r.SortKey2[i] = 7;
    r.SortKey3[i] = word3[i];
    r.SortKey4[i] = static_cast<int32_t>(2 * (7 - i));
    r.LinePosition[i] = static_cast<int64_t>(i);
  }
  SortRecords reference = r;
  SortInKeyOrder(r);
  RadixSort(reference);
  EXPECT_EQ(r.LinePosition, reference.LinePosition);
  // Not the order of the low bits alone, which would be 6, 5, ..., 1.
  EXPECT_NE(r.LinePosition, (std::vector<int64_t>{0, 6, 5, 4, 3, 2, 1}));
}

}  // namespace
}  // namespace tess
