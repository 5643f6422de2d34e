#include "sorter/write_sorted_table.h"

#include <gtest/gtest.h>

#include "sorter/info_filter.h"

namespace tess {
namespace {

const std::string kC = "C       10.1.1.0/24 is directly connected, Ethernet0";
const std::string kO = "O       10.1.2.0/24 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kOE2 = "O E2    10.0.0.0/8 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kS = "S*   0.0.0.0/0 [1/0] via 192.168.0.1";
const std::string kB = "B    10.0.0.0/8 [20/0] via 192.168.1.1, 1w2d";

InfoFilter Items(std::initializer_list<int> items) {
  InfoFilter f{};
  for (int k : items) f[static_cast<size_t>(k)] = true;
  return f;
}

struct FilterCase {
  std::string line;
  std::initializer_list<int> items;
  std::string expected;
};

TEST(ApplyInfoFilter, SingleAndCombinedItems) {
  const FilterCase cases[] = {
      {kOE2, {4}, "-       10.0.0.0/8 [110/20] via 10.1.1.2, 00:00:12, Ethernet0"},
      {kS, {4}, "-*   0.0.0.0/0 [1/0] via 192.168.0.1"},
      {kC, {6}, "-       10.1.1.0"},
      {kC, {5}, "-       10.1.1.0/24"},
      {kO, {5}, "-       10.1.2.0/24"},
      {kC, {2}, kC},
      {kC, {1}, "C       10.1.1.0/24 is directly connected"},
      {kO, {2}, "O       10.1.2.0/24 [110/20] via 10.1.1.2, Ethernet0"},
      {kB, {2}, "B    10.0.0.0/8 [20/0] via 192.168.1.1"},
      {kB, {1}, "B    10.0.0.0/8 [20/0] via 192.168.1.1"},
      {kS, {3}, "S*   0.0.0.0/0 via 192.168.0.1"},
      {"S    10.0.0.0/8 [] via 10.1.1.1", {3}, "S    10.0.0.0/8 [] via 10.1.1.1"},
      {"S    10.0.0.0/8 via 10.1.1.1", {3}, "S    10.0.0.0/8 via 10.1.1.1"},
      // Time goes before interface, so the last comma then precedes the interface.
      {kO, {1, 2}, "O       10.1.2.0/24 [110/20] via 10.1.1.2"},
      {kO, {1, 3}, "O       10.1.2.0/24 via 10.1.1.2, 00:00:12"},
      {kO, {1, 2, 3, 4}, "-       10.1.2.0/24 via 10.1.1.2"},
      // A BGP age goes also when the protocol is dropped first.
      {kB, {2, 4}, "-    10.0.0.0/8 [20/0] via 192.168.1.1"},
      {"B*   0.0.0.0/0 [20/0] via 10.1.1.1, 3w4d", {2}, "B*   0.0.0.0/0 [20/0] via 10.1.1.1"},
      {"B    10.0.0.0/8 [20/0] via 10.1.1.1,, 3w4d", {2}, "B    10.0.0.0/8 [20/0] via 10.1.1.1"},
      {"O    10.0.0.0/8 [20/0] via 10.1.1.1, 3w4d", {2}, "O    10.0.0.0/8 [20/0] via 10.1.1.1, 3w4d"},
      // Header counts ending in "nets" or "asks" are no time or interface.
      {"D    10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks", {1, 2},
       "D    10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks"},
      {"D    10.0.0.0/8 is subnetted, 2 subnets", {1}, "D    10.0.0.0/8 is subnetted, 2 subnets"},
      {"S    10.0.0.0/8 is a summary, 7w0d, Null0", {2}, "S    10.0.0.0/8 is a summary, Null0"},
      // Overwrites never lengthen a line.
      {"C", {6}, "-"},
  };
  for (const FilterCase& c : cases) {
    std::string line = c.line;
    ApplyInfoFilter(line, Items(c.items), c.line);
    EXPECT_EQ(line, c.expected) << "line: " << c.line;
  }
}

TEST(ApplyInfoFilter, FoldedExtraPaths) {
  const std::string folded = std::string(20, ' ') + "[110/2] via 10.1.1.3, 00:00:05, Vlan20";
  const std::string asRead = "O       10.1.1.0/24 [110/2] via 10.1.1.3, 00:00:05, Vlan20 *";
  const std::pair<InfoFilter, std::string> cases[] = {
      {Items({6}), std::string(9, ' ')},
      {Items({5}), std::string(19, ' ')},  // the "[" stood at column 21
      {Items({2}), std::string(20, ' ') + "[110/2] via 10.1.1.3, Vlan20"},
      {Items({4}), folded},
  };
  for (const auto& [filter, expected] : cases) {
    std::string line = folded;
    ApplyInfoFilter(line, filter, asRead);
    EXPECT_EQ(line, expected);
  }
  // The age of a BGP path is recognised on the line as read, before folding.
  std::string bgp = std::string(16, ' ') + "[20/0] via 192.168.1.2, 1w2d";
  ApplyInfoFilter(bgp, Items({2}), "B    10.0.0.0/8 [20/0] via 192.168.1.2, 1w2d *");
  EXPECT_EQ(bgp, std::string(16, ' ') + "[20/0] via 192.168.1.2");
}

TEST(PassesWriterRouteTest, ColumnRules) {
  const std::pair<const char*, bool> cases[] = {
      {"O       10.1.1.0/24 [110/2] via 10.1.1.2", true},
      {"C    1.1.1.1/32 is directly connected, Loopback0", true},
      {"i L1     172.20.2.253/32 [115/20] via 172.20.190.101", true},
      {"i*L2  0.0.0.0/0 [115/10] via 172.20.190.110", true},  // column 6 is the space
      {"X    ", true},  // column 10 lies beyond the end
      {"Gateway of last resort is not set", false},
      {"Routing Table: A", false},
      {"Codes: L - local, C - connected", false},
      {"       D - EIGRP, EX - EIGRP external", false},
      {"R1#show ip route", false},
      {"OE2  10.1.1.0/24 [110/2] via 10.1.1.2", false},
      {"O    x    10.1.1.0", false},  // column 10 is a space
      {"B", false},
      {"", false},
  };
  for (const auto& [line, passes] : cases) EXPECT_EQ(PassesWriterRouteTest(line), passes) << line;
}

std::vector<std::string> FoldAll(const std::vector<std::string>& lines) {
  PathFolder folder;
  std::vector<std::string> out;
  for (std::string line : lines) {
    folder.Fold(line);
    out.push_back(line);
  }
  return out;
}

const std::string kFirst = "O       10.1.1.0/24 [110/2] via 10.1.1.2, 00:00:05, Vlan10";
const std::string kSecond = "O       10.1.1.0/24 [110/2] via 10.1.1.3, 00:00:05, Vlan20 *";
const std::string kThird = "O       10.1.1.0/24 [110/2] via 10.1.1.4, 00:00:05, Vlan30 *";
const std::string kPad(20, ' ');

TEST(PathFolder, ExtraPathsFoldUnderTheirRoute) {
  EXPECT_EQ(FoldAll({kFirst, kSecond, kThird}),
            (std::vector<std::string>{kFirst, kPad + "[110/2] via 10.1.1.3, 00:00:05, Vlan20",
                                      kPad + "[110/2] via 10.1.1.4, 00:00:05, Vlan30"}));
}

TEST(PathFolder, ExtraPathSortedFirstIsWrittenInFullAndTheRouteFoldsUnderIt) {
  const std::string extra = "O       10.1.1.0/24 [110/2] via 10.1.1.1, 00:00:05, Vlan20 *";
  EXPECT_EQ(FoldAll({extra, kFirst, kFirst}),
            (std::vector<std::string>{extra.substr(0, extra.size() - 2),
                                      kPad + "[110/2] via 10.1.1.2, 00:00:05, Vlan10", kFirst}));
}

TEST(PathFolder, ExtraPathBesideAnotherRouteStaysWhole) {
  const std::string other = "O       10.1.9.0/24 [110/2] via 10.1.1.2, 00:00:05, Vlan10";
  const std::string shifted = "O       10.1.1.0/24  [110/2] via 10.1.1.2, 00:00:05, Vlan10";
  EXPECT_EQ(FoldAll({other, kSecond, other, shifted}),
            (std::vector<std::string>{other, kSecond.substr(0, kSecond.size() - 2), other, shifted}));
  // A " *" on a line that fails the route-line test is ordinary text.
  const std::string indented = "        10.1.1.0/24 [110/2] via 10.1.1.3 *";
  EXPECT_EQ(FoldAll({kFirst, indented}), (std::vector<std::string>{kFirst, indented}));
}

}  // namespace
}  // namespace tess
