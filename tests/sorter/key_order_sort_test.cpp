// The fast sort against the bitwise passes it replaces: the same order on
// millions of random keys, with negative words, equal leading words and
// keys told apart only by their line number. Each word survives packing.
#include "sorter/key_order_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "sorter/make_sort_keys.h"
#include "sorter/radix_sort.h"

namespace tess {
namespace {

// The fast sort's result as line positions, against the bitwise passes' on
// the same key words. The key bits are gathered here as the key maker
// gathers them while it makes the records.
std::pair<std::vector<int64_t>, std::vector<int64_t>> BothOrders(const SortRecords& records) {
  std::vector<LineRecord> lines;
  KeyBitsSeen seen;
  for (size_t i = 0; i < records.Count(); ++i) {
    lines.push_back(LineRecord::Make({records.SortKey1[i], records.SortKey2[i], records.SortKey3[i], records.SortKey4[i]},
                                     records.LinePosition[i], 2));
    seen.Add(lines.back());
  }
  SortInKeyOrder(lines, seen);
  std::vector<int64_t> fast;
  for (const LineRecord& line : lines) fast.push_back(line.Position());
  SortRecords reference = records;
  RadixSort(reference);
  return {fast, reference.LinePosition};
}

// `n` records whose words come from small ranges (many equal leading words),
// sometimes anything, sometimes negative; word 4 ends in twice the line
// number, as the key builder makes it.
SortRecords RandomRecords(std::mt19937& rng, size_t n, int negativeOneIn) {
  std::uniform_int_distribution<int32_t> small(0, 2), any(0, 0x7FFFFFFF), dice(0, 99);
  SortRecords r;
  r.Resize(n);
  std::vector<int32_t>* words[4] = {&r.SortKey1, &r.SortKey2, &r.SortKey3, &r.SortKey4};
  for (size_t i = 0; i < n; ++i) {
    for (int w = 0; w < 4; ++w) {
      int32_t v = dice(rng) < 5 ? any(rng) : small(rng) << (w * 5);
      if (negativeOneIn > 0 && dice(rng) % negativeOneIn == 0) {
        v = dice(rng) < 50 ? -1 : static_cast<int32_t>(static_cast<uint32_t>(v) | 0x80000000u);
      }
      (*words[w])[i] = v;
    }
    r.SortKey4[i] = (r.SortKey4[i] & ~0x3FFFFFF) | static_cast<int32_t>(2 * (i + 1));
    r.LinePosition[i] = static_cast<int64_t>(i + 1) * 10;
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
      const auto [fast, reference] = BothOrders(RandomRecords(rng, c.n, c.negativeOneIn));
      ASSERT_EQ(fast, reference) << c.n << " records, round " << round;
      total += c.n;
    }
  }
  EXPECT_GT(total, 2'000'000u);
}

// Keys as the key builder makes them, of every order, over more records
// than a range the radix sort leaves to a comparison sort: one field runs
// through shuffled consecutive values (host routes via one next hop, say),
// the others stand still at nothing, everything or a mixed value, so that
// neighbours differ in every bit of every field, across both key halves.
TEST(SortInKeyOrder, KeysOfEveryOrderAcrossEveryFieldsBits) {
  constexpr size_t kRecords = 300;
  const int32_t fieldMask[] = {0xFFFF, 0xFFFF, 0xFFFF, 0xFFFF, 0x1F, 0xFFFFFFF};  // DH DL HH HL MC PC
  const int32_t stills[] = {0, -1, 0x5A5A5A5};
  std::mt19937 rng(7);
  for (int order = 0; order < 6; ++order) {
    for (int field = 0; field < 6; ++field) {
      for (const int32_t still : stills) {
        for (const int shift : {0, 4, 8, 12, 16, 20}) {
          std::vector<int32_t> values(kRecords);
          for (size_t i = 0; i < kRecords; ++i) values[i] = static_cast<int32_t>(i << shift) & fieldMask[field];
          std::shuffle(values.begin(), values.end(), rng);
          SortRecords r;
          r.Resize(kRecords);
          for (size_t i = 0; i < kRecords; ++i) {
            int32_t f[6];
            for (int k = 0; k < 6; ++k) f[k] = (k == field ? values[i] : still) & fieldMask[k];
            const RouteFields fields{f[0], f[1], f[2], f[3], f[5], f[4], TablePart::Destination};
            const KeyWords words = BuildKeyWords(static_cast<SortOrder>(order), fields, static_cast<int64_t>(i + 1));
            r.SortKey1[i] = words[0];
            r.SortKey2[i] = words[1];
            r.SortKey3[i] = words[2];
            r.SortKey4[i] = words[3];
            r.LinePosition[i] = static_cast<int64_t>(i + 1) * 10;
          }
          const auto [fast, reference] = BothOrders(r);
          ASSERT_EQ(fast, reference) << "order " << order << ", field " << field << ", others " << still
                                     << ", values shifted by " << shift;
        }
      }
    }
  }
}

// Order 4 gives non-route lines a word 3 of -1 while the mask in force is
// 0; beside lines whose word 3 has all its low bits set, the passes keep
// them in groups of their own.
TEST(SortInKeyOrder, SignSplitGroupsKeepTheOrderOfThePasses) {
  SortRecords r;
  r.Resize(6);
  const int32_t word3[] = {-1, 0x7FFFFFFF, -1, 0x7FFFFFFF, -1, 0x7FFFFFFF};
  for (size_t i = 0; i < 6; ++i) {
    r.SortKey1[i] = 1 << 29;
    r.SortKey2[i] = 7;
    r.SortKey3[i] = word3[i];
    r.SortKey4[i] = static_cast<int32_t>(2 * (6 - i));
    r.LinePosition[i] = static_cast<int64_t>(i + 1);
  }
  const auto [fast, reference] = BothOrders(r);
  EXPECT_EQ(fast, reference);
  // Not the order of the low bits alone, which would be 6, 5, ..., 1.
  EXPECT_NE(fast, (std::vector<int64_t>{6, 5, 4, 3, 2, 1}));
}

TEST(LineRecord, KeepsEveryWordWithItsSign) {
  for (const std::array<int32_t, 4> words : {std::array<int32_t, 4>{0, 0x7FFFFFFF, -1, 5},
                                             std::array<int32_t, 4>{-2, 1 << 29, 0x40000000, -0x7FFFFFFF}}) {
    const LineRecord r = LineRecord::Make(words, (int64_t{1} << 43) + 7, 9);
    for (int w = 0; w < 4; ++w) EXPECT_EQ(r.Word(w), words[static_cast<size_t>(w)]) << w;
    EXPECT_EQ(r.Position(), (int64_t{1} << 43) + 7);
    EXPECT_EQ(r.Length(), 9u);
  }
  // A line of a mebibyte or more is read back another way.
  EXPECT_EQ(LineRecord::Make({}, 1, 1 << 20).Length(), LineRecord::kLongLine);
  EXPECT_EQ(LineRecord::Make({}, 1, (1 << 20) - 2).Length(), (1u << 20) - 2);
}

}  // namespace
}  // namespace tess
