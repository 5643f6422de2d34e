#include "compare/line_match.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kWithMask = "C    10.1.1.0/24 is directly connected, Ethernet0";
const std::string kWithoutMask = "C    10.1.1.0 is directly connected, Ethernet0";

struct MatchCase {
  const char* name;
  std::string a, b;
  int maskCode1, maskCode2;
  bool match;
};

class CompareLineMatch : public ::testing::TestWithParam<MatchCase> {};

TEST_P(CompareLineMatch, Lines) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(LinesMatch(c.a, c.b, c.maskCode1, c.maskCode2), c.match) << c.a << " | " << c.b;
}

INSTANTIATE_TEST_SUITE_P(
    Tests, CompareLineMatch,
    ::testing::Values(
        MatchCase{"Equal", kWithMask, kWithMask, 23, 23, true},
        MatchCase{"OtherInterface", kWithMask, "C    10.1.1.0/24 is directly connected, Ethernet1", 23, 23, false},
        // Test 2: "/" and the other block's mask length go where the "/" stands.
        MatchCase{"MaskOnlyInLog1", kWithMask, kWithoutMask, 7, 23, true},
        MatchCase{"MaskOnlyInLog2", kWithoutMask, kWithMask, 23, 7, true},
        MatchCase{"MaskOfTheOtherBlockDiffers", kWithMask, kWithoutMask, 23, 24, false},
        MatchCase{"MaskOfTheOwnBlockIsNotUsed", kWithMask, kWithoutMask, 23, 7, false},
        MatchCase{"MaskZeroGivesSlashOne", "S    0.0.0.0/1 [1/0] via 10.1.1.1", "S    0.0.0.0 [1/0] via 10.1.1.1", 5, 0,
                  true},
        MatchCase{"SlashInsideBracketsIsNoMask", "C    10.1.1.0 [0/24] x", "C    10.1.1.0 [0] x", 23, 23, false},
        MatchCase{"OtherLineTooShort", kWithMask, "C    10", 23, 23, false},
        MatchCase{"BothWithMasks", kWithMask, "C    10.1.1.0/25 is directly connected, Ethernet0", 23, 24, false},
        // Test 3: one more column after the route code.
        MatchCase{"OneMoreSpaceInLog2", kWithMask, "C     10.1.1.0/24 is directly connected, Ethernet0", 23, 23, true},
        MatchCase{"OneMoreSpaceInLog1", "O E2   10.2.0.0/16 [110/20] via 10.1.1.2", "O E2  10.2.0.0/16 [110/20] via 10.1.1.2",
                  15, 15, true},
        MatchCase{"TwoMoreSpaces", kWithMask, "C      10.1.1.0/24 is directly connected, Ethernet0", 23, 23, false},
        MatchCase{"OneMoreSpaceElsewhere", "S    10.9.9.0/24 [1/0] via 10.1.1.9", "S    10.9.9.0/24 [1/0]  via 10.1.1.9",
                  23, 23, false},
        // The tests are alternatives: a pair that needs both does not match.
        MatchCase{"MaskAndSpaceAtOnce", kWithMask, "C     10.1.1.0 is directly connected, Ethernet0", 23, 23, false}),
    [](const ::testing::TestParamInfo<MatchCase>& info) { return std::string(info.param.name); });

TEST(CompareBlocksMatch, LineByLineWithEachTestPerLine) {
  const std::vector<std::string> a = {"O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0",
                                      "                 [110/20] via 10.1.1.3, Ethernet1"};
  const std::vector<std::string> b = {"O    10.2.0.0 [110/20] via 10.1.1.2, Ethernet0",
                                      "                  [110/20] via 10.1.1.3, Ethernet1"};
  EXPECT_TRUE(BlocksMatch(a, a, 15, 15));
  EXPECT_TRUE(BlocksMatch(a, b, 15, 15));  // line 1 by the mask, line 2 by one more space
  EXPECT_FALSE(BlocksMatch(a, b, 15, 23));
}

TEST(CompareBlocksMatch, GainedPathOrLaterChangeDiffers) {
  std::vector<std::string> ten;
  for (int k = 1; k <= 10; ++k) ten.push_back("                 [110/20] via 10.1.1." + std::to_string(k));
  std::vector<std::string> ninthChanged = ten;
  ninthChanged[8] += "9";
  std::vector<std::string> gained = ten;
  gained.push_back("                 [110/20] via 10.1.1.11");
  EXPECT_TRUE(BlocksMatch(ten, ten, 15, 15));
  EXPECT_FALSE(BlocksMatch(ten, ninthChanged, 15, 15));
  EXPECT_FALSE(BlocksMatch(ten, gained, 15, 15));
  EXPECT_FALSE(BlocksMatch(gained, ten, 15, 15));
}

}  // namespace
}  // namespace tess
