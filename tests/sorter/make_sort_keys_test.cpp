#include "sorter/make_sort_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace tess {
namespace {

// Field order of each sort order between LineState and the line number, as
// the order table gives it. Widths: addresses 16, MaskCode 5, ProtoCode 28.
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

// The 124-bit key as text: bits 30 to 0 of each word in turn.
std::string KeyBits(const KeyWords& w) {
  std::string s;
  for (int32_t word : w) s += Bits(word, 31);
  return s;
}

std::string ExpectedBits(int order, const RouteFields& f, int lineState, int line) {
  std::string s = Bits(lineState, 2);
  for (Field field : kOrders[order]) {
    switch (field) {
      case kDH: s += Bits(f.DestHigh, 16); break;
      case kDL: s += Bits(f.DestLow, 16); break;
      case kHH: s += Bits(f.HopHigh, 16); break;
      case kHL: s += Bits(f.HopLow, 16); break;
      case kMC: s += Bits(f.MaskCode, 5); break;
      case kPC: s += Bits(f.ProtoCode, 28); break;
    }
  }
  return s + Bits(line, 24) + "0";
}

TEST(BuildKeyWords, FieldsStandInTheOrderOfEachSortOrder) {
  struct Sample {
    RouteFields f;
    int lineState, line;
  };
  const Sample samples[] = {
      {{2561, 256, 0, 0, 141037600, 23}, 2, 1},
      {{0xFFFF, 0x0001, 0x8001, 0xFFFE, 0x0ABCDEF, 31}, 2, 16777215},
      {{0x8000, 0x7FFF, 0x0001, 0x8000, 0xFFFFFFE, 0}, 3, 2},
      {{kNoAddress, kNoAddress, kNoAddress, kNoAddress, kNotRouteProto, 15}, 1, 4660},
      {{0x1234, 0x5678, 0x9ABC, 0xDEF0, 0x5A5A5A5, 21}, 2, 0xA5A5A5},
  };
  for (int order = 0; order < 6; ++order) {
    for (const Sample& s : samples) {
      const KeyWords w = BuildKeyWords(order, s.f, s.lineState, s.line);
      EXPECT_EQ(KeyBits(w), ExpectedBits(order, s.f, s.lineState, s.line)) << "order " << order;
      for (int32_t word : w) EXPECT_GE(word, 0) << "order " << order;
    }
  }
}

TEST(BuildKeyWords, NegativeMaskCodeBorrowsFromTheBitsAbove) {
  // A non-route line read while the mask in force is 0: MaskCode -1.
  const RouteFields nonRoute{kNoAddress, kNoAddress, kNoAddress, kNoAddress, kNotRouteProto, -1};
  EXPECT_EQ(BuildKeyWords(0, nonRoute, 1, 1)[1], 0x6FFFFFFF);
  EXPECT_EQ(BuildKeyWords(1, nonRoute, 1, 1)[2], 0x77FFFFFF);
  EXPECT_EQ(BuildKeyWords(2, nonRoute, 1, 1)[0], 0x1FFFFFFF);
  EXPECT_EQ(BuildKeyWords(3, nonRoute, 3, 1)[0], 0x5FFFFFFF);
  EXPECT_EQ(BuildKeyWords(4, nonRoute, 3, 1)[2], -1);
  EXPECT_EQ(BuildKeyWords(5, nonRoute, 3, 1)[3], 0x3E000002);
  // The words the negative term does not reach are as for any other line.
  EXPECT_EQ(BuildKeyWords(4, nonRoute, 3, 7)[3], (0x3F << 25) + 14);
}

}  // namespace
}  // namespace tess
