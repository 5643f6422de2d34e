#include "io/large_allocation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

#include "test_support.h"

namespace tess {
namespace {

// Growing moves the pages: every value written before stays, from the first
// mapping through many doublings.
TEST(LargeArray, KeepsItsContentsAsItGrows) {
  LargeArray<uint64_t> values;
  EXPECT_TRUE(values.empty());
  constexpr uint64_t kCount = 3'000'000;  // 24 MB: several growths
  for (uint64_t i = 0; i < kCount; ++i) values.push_back(i * 7 + 1);
  ASSERT_EQ(values.size(), kCount);
  uint64_t wrong = 0;
  for (uint64_t i = 0; i < kCount; ++i) wrong += values[i] != i * 7 + 1;
  EXPECT_EQ(wrong, 0u);
  const auto part = values.Part(10, 3);
  EXPECT_EQ(std::accumulate(part.begin(), part.end(), uint64_t{0}), 71u + 78u + 85u);
  values.clear();
  values.push_back(5);
  EXPECT_EQ(values.size(), 1u);
  EXPECT_EQ(*values.begin(), 5u);
}

TEST(LargeBuffer, GrowsOnDemandAndKeepsItsMemoryOtherwise) {
  LargeBuffer buffer;
  char* small = buffer.Reserve(100);
  small[99] = 'x';
  EXPECT_EQ(buffer.Reserve(50), small);  // enough already: the same memory
  char* large = buffer.Reserve(3 << 20);
  large[(3 << 20) - 1] = 'y';
  EXPECT_EQ(buffer.data(), large);
}

// Arrays of 24-byte entries (sizes that are no multiple of a page) grown
// through several doublings and freed, hundreds of times: every mapping goes
// back whole, the pages that rounding added and those a move left included.
TEST(LargeArray, GivesBackAllItMappedWhenGrownAndFreed) {
  if (testing::kAddressSanitizer) GTEST_SKIP() << "the address sanitizer's allocator grows by itself";
  struct Entry {
    uint64_t words[3];
  };
  const auto grow = [](int times) {
    for (int k = 0; k < times; ++k) {
      LargeArray<Entry> entries;
      for (const size_t mib : {1, 3, 7, 15}) entries.reserve((mib << 20) / sizeof(Entry));
      entries.push_back({{1, 2, 3}});
    }
  };
  grow(5);
  const testing::AddressSpace before = testing::AddressSpaceNow();
  grow(500);
  const testing::AddressSpace after = testing::AddressSpaceNow();
  EXPECT_LE(after.Mappings, before.Mappings + 2);
  EXPECT_LE(after.SizeKiB, before.SizeKiB + 4096) << "from " << before.SizeKiB << " KiB";
}

}  // namespace
}  // namespace tess
