#include "sorter/make_sort_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace tess {
namespace {

// Field order of each sort order between the table part and the line number, as
// the order table gives it.
enum Field { kDH, kDL, kHH, kHL, kMC, kPC };
const Field kOrders[6][6] = {
    {kDH, kDL, kMC, kHH, kHL, kPC}, {kHH, kHL, kDH, kDL, kMC, kPC}, {kMC, kDH, kDL, kHH, kHL, kPC},
    {kMC, kHH, kHL, kDH, kDL, kPC}, {kPC, kDH, kDL, kMC, kHH, kHL}, {kPC, kHH, kHL, kDH, kDL, kMC},
};

std::string Bits(int64_t value, int width) {
  std::string s;
  for (int b = width - 1; b >= 0; --b) s += ((value >> b) & 1) ? '1' : '0';
  return s;
}

// The 124-bit key as text: the line's table part, the six fields, the line
// number and a 0, against bits 30 to 0 of each word in turn.
TEST(BuildKeyWords, FieldsStandInTheOrderOfEachSortOrder) {
  struct Sample {
    RouteFields f;
    int line;
  };
  constexpr TablePart kBefore = TablePart::BeforeFirstRoute, kDestination = TablePart::Destination,
                      kAfter = TablePart::AfterRoute;
  const Sample samples[] = {
      {{0xFFFF, 0x0001, 0x8001, 0xFFFE, 0x0ABCDEF, 31, kDestination}, 16777215},
      {{0x8000, 0x7FFF, 0x0001, 0x8000, 0xFFFFFFE, 0, kAfter}, 2},
      {{kNoAddress, kNoAddress, kNoAddress, kNoAddress, kNotRouteProto, 15, kBefore}, 4660},
      {{0x1234, 0x5678, 0x9ABC, 0xDEF0, 0x5A5A5A5, 21, kDestination}, 0xA5A5A5},
  };
  for (int order = 0; order < 6; ++order) {
    for (const Sample& s : samples) {
      const std::pair<int64_t, int> fields[] = {{s.f.DestHigh, 16}, {s.f.DestLow, 16}, {s.f.HopHigh, 16},
                                                {s.f.HopLow, 16},   {s.f.MaskCode, 5}, {s.f.ProtoCode, 28}};
      std::string expected = Bits(static_cast<int>(s.f.Part), 2);
      for (Field k : kOrders[order]) expected += Bits(fields[k].first, fields[k].second);
      expected += Bits(s.line, 24) + "0";
      std::string got;
      for (int32_t word : BuildKeyWords(static_cast<SortOrder>(order), s.f, s.line)) {
        EXPECT_GE(word, 0) << "order " << order;
        got += Bits(word, 31);
      }
      EXPECT_EQ(got, expected) << "order " << order;
    }
  }
}

TEST(BuildKeyWords, NegativeMaskCodeBorrowsFromTheBitsAbove) {
  // A non-route line read while the mask in force is 0: MaskCode -1, before
  // the first route and after one.
  const RouteFields before{kNoAddress, kNoAddress, kNoAddress, kNoAddress, kNotRouteProto, -1,
                           TablePart::BeforeFirstRoute};
  RouteFields after = before;
  after.Part = TablePart::AfterRoute;
  EXPECT_EQ(BuildKeyWords(SortOrder(0), before, 1)[1], 0x6FFFFFFF);
  EXPECT_EQ(BuildKeyWords(SortOrder(1), before, 1)[2], 0x77FFFFFF);
  EXPECT_EQ(BuildKeyWords(SortOrder(2), before, 1)[0], 0x1FFFFFFF);
  EXPECT_EQ(BuildKeyWords(SortOrder(3), after, 1)[0], 0x5FFFFFFF);
  EXPECT_EQ(BuildKeyWords(SortOrder(4), after, 1)[2], -1);
  EXPECT_EQ(BuildKeyWords(SortOrder(5), after, 1)[3], 0x3E000002);
  // The words the negative term does not reach are as for any other line.
  EXPECT_EQ(BuildKeyWords(SortOrder(4), after, 7)[3], (0x3F << 25) + 14);
}

// Each section is its own stream, numbered from 1; its key bits are those
// of its own records, whatever came before.
TEST(SortKeyMaker, SectionsStartAfreshAndTellTheirOwnKeyBits) {
  SortKeyMaker keys(SortOrder::Destination);
  const LargeArray<LineRecord>& records = keys.Records();
  const char* lines[] = {"S    10.0.0.0/8 [1/0] via 192.0.2.1", "S    10.1.0.0/16 [1/0] via 192.0.2.2",
                         "Gateway of last resort is not set", "S    172.16.0.0/12 [1/0] via 192.0.2.3"};
  keys.Add(0, TableDialect::IosIpv4, lines[0], 1, 37);
  keys.Add(0, TableDialect::IosIpv4, lines[1], 38, 38);
  keys.Add(2, TableDialect::IosIpv4, lines[2], 76, 35);  // section 1 has no line
  keys.Add(2, TableDialect::IosIpv4, lines[3], 111, 41);
  ASSERT_EQ(records.size(), 4u);
  EXPECT_EQ(keys.RouteLineCount(), 3);
  // Line numbers restart: the second section's first line is line 1 again.
  EXPECT_EQ(records[2].Word(3) & 0x1FFFFFF, 2);
  EXPECT_EQ(records[3].Word(3) & 0x1FFFFFF, 4);
  EXPECT_EQ(records[3].Position(), 111);
  for (const auto& [section, first, count] : {std::tuple{0u, 0u, 2u}, std::tuple{2u, 2u, 2u}}) {
    KeyBitsSeen expected;
    for (size_t i = first; i < first + count; ++i) expected.Add(records[i]);
    const KeyBitsSeen got = keys.KeyBitsOf(section);
    EXPECT_EQ(got.AnyHigh, expected.AnyHigh) << section;
    EXPECT_EQ(got.AllHigh, expected.AllHigh) << section;
    EXPECT_EQ(got.AnyLow, expected.AnyLow) << section;
    EXPECT_EQ(got.AllLow, expected.AllLow) << section;
  }
  EXPECT_EQ(keys.KeyBitsOf(1).AnyHigh, 0u);
  EXPECT_EQ(keys.KeyBitsOf(1).AllHigh, ~uint64_t{0});
  EXPECT_EQ(keys.KeyBitsOf(7).AnyLow, 0u);
}

}  // namespace
}  // namespace tess
