#include "io/large_allocation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

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

}  // namespace
}  // namespace tess
