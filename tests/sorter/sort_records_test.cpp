#include "sorter/sort_records.h"

#include <gtest/gtest.h>

#include "io/large_allocation.h"

namespace tess {
namespace {

// A section's records become its places in their order, in their own
// memory, and the sections after it keep their records.
TEST(KeepOnlyPlaces, GivesThePlacesInOrderAndLeavesLaterSectionsAlone) {
  LargeArray<LineRecord> records;
  constexpr size_t kSection = 300'000, kNext = 1'000;  // megabytes: pages go back
  for (size_t i = 0; i < kSection + kNext; ++i) {
    const int32_t w = static_cast<int32_t>(i * 2654435761u);
    records.push_back(LineRecord::Make({w, -w, w ^ 5, static_cast<int32_t>(i)}, static_cast<int64_t>(i) * 37 + 1,
                                       static_cast<int64_t>(i % 500) + 2));
  }
  const std::span<const LinePlace> places = KeepOnlyPlaces(records.Part(0, kSection));
  ASSERT_EQ(places.size(), kSection);
  size_t wrong = 0;
  for (size_t i = 0; i < kSection; ++i) {
    wrong += places[i].Position() != static_cast<int64_t>(i) * 37 + 1 || places[i].Length() != i % 500 + 2;
  }
  EXPECT_EQ(wrong, 0u);
  for (size_t i = kSection; i < kSection + kNext; ++i) {
    ASSERT_EQ(records[i].Position(), static_cast<int64_t>(i) * 37 + 1);
    ASSERT_EQ(records[i].Word(3), static_cast<int32_t>(i));
    ASSERT_EQ(records[i].Word(1), -static_cast<int32_t>(i * 2654435761u));
  }
}

}  // namespace
}  // namespace tess
