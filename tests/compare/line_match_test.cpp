#include "compare/line_match.h"

#include <gtest/gtest.h>

namespace tess {
namespace {

const std::string kWithMask = "C    10.1.1.0/24 is directly connected, Ethernet0";
const std::string kWithoutMask = "C    10.1.1.0 is directly connected, Ethernet0";

// The end-to-end walk cases cover the plain forms of the three tests; these
// are the edges around them.
TEST(CompareLineMatch, Lines) {
  const struct {
    std::string a, b;
    int maskCode1, maskCode2;
    bool match;
  } cases[] = {
      // Test 2: "/" and the other block's mask length go where the "/" stands.
      {kWithoutMask, kWithMask, 23, 7, true},
      {kWithMask, kWithoutMask, 23, 7, false},  // the own block's mask is not used
      {"S    0.0.0.0/1 [1/0] via 10.1.1.1", "S    0.0.0.0 [1/0] via 10.1.1.1", 5, 0, true},
      {"C    10.1.1.0 [0/24] x", "C    10.1.1.0 [0] x", 23, 23, false},  // "/" inside brackets
      {kWithMask, "C    10", 23, 23, false},
      {kWithMask, "C    10.1.1.0/25 is directly connected, Ethernet0", 23, 24, false},
      // Test 3: one more column after the route code, and only there.
      {"O E2   10.2.0.0/16 [110/20] via 10.1.1.2", "O E2  10.2.0.0/16 [110/20] via 10.1.1.2", 15, 15, true},
      {"S    10.9.9.0/24 [1/0] via 10.1.1.9", "S    10.9.9.0/24 [1/0]  via 10.1.1.9", 23, 23, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(LinesMatch(c.a, c.b, c.maskCode1, c.maskCode2), c.match) << c.a << " | " << c.b;
  }
}

TEST(CompareLineMatch, BlocksLineByLineWithEachTestPerLine) {
  const std::vector<std::string> a = {"O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0",
                                      "                 [110/20] via 10.1.1.3, Ethernet1"};
  const std::vector<std::string> b = {"O    10.2.0.0 [110/20] via 10.1.1.2, Ethernet0",
                                      "                  [110/20] via 10.1.1.3, Ethernet1"};
  EXPECT_TRUE(BlocksMatch(a, b, 15, 15));  // line 1 by the mask, line 2 by one more space
  EXPECT_FALSE(BlocksMatch(a, b, 15, 23));
  EXPECT_FALSE(BlocksMatch(a, {a[0]}, 15, 15));
}

}  // namespace
}  // namespace tess
