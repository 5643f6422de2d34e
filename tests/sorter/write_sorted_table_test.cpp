#include "sorter/write_sorted_table.h"

#include <gtest/gtest.h>

#include "sorter/info_filter.h"

namespace tess {
namespace {

const std::string kC = "C       10.1.1.0/24 is directly connected, Ethernet0";
const std::string kO = "O       10.1.2.0/24 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kB = "B    10.0.0.0/8 [20/0] via 192.168.1.1, 1w2d";

InfoFilter Items(std::initializer_list<int> items) {
  InfoFilter f;
  for (int k : items) f.Tick(static_cast<FilterItem>(k));
  return f;
}

// Filters 5 and 6, and most combinations, are worked through by the golden cases.
TEST(ApplyInfoFilter, SingleAndCombinedItems) {
  const struct {
    std::string line;
    std::initializer_list<int> items;
    std::string expected;
    std::string asRead;  // the line as read, when it differs
  } cases[] = {
      {"O E2    10.0.0.0/8 [110/20] via 10.1.1.2", {4}, "-       10.0.0.0/8 [110/20] via 10.1.1.2", ""},
      {kC, {1}, "C       10.1.1.0/24 is directly connected", ""},
      {kO, {2}, "O       10.1.2.0/24 [110/20] via 10.1.1.2, Ethernet0", ""},
      {kB, {2}, "B    10.0.0.0/8 [20/0] via 192.168.1.1", ""},
      {kB, {1}, "B    10.0.0.0/8 [20/0] via 192.168.1.1", ""},
      {"S*   0.0.0.0/0 [1/0] via 192.168.0.1", {3}, "S*   0.0.0.0/0 via 192.168.0.1", ""},
      {"S    10.0.0.0/8 [] via 10.1.1.1", {3}, "S    10.0.0.0/8 [] via 10.1.1.1", ""},
      // Time goes before interface, so the last comma then precedes the interface.
      {kO, {1, 2}, "O       10.1.2.0/24 [110/20] via 10.1.1.2", ""},
      {kO, {1, 3}, "O       10.1.2.0/24 via 10.1.1.2, 00:00:12", ""},
      // A BGP age goes also when the protocol is dropped first.
      {kB, {2, 4}, "-    10.0.0.0/8 [20/0] via 192.168.1.1", ""},
      {"B*   0.0.0.0/0 [20/0] via 10.1.1.1, 3w4d", {2}, "B*   0.0.0.0/0 [20/0] via 10.1.1.1", ""},
      {"B    10.0.0.0/8 [20/0] via 10.1.1.1,, 3w4d", {2}, "B    10.0.0.0/8 [20/0] via 10.1.1.1", ""},
      {"O    10.0.0.0/8 [20/0] via 10.1.1.1, 3w4d", {2}, "O    10.0.0.0/8 [20/0] via 10.1.1.1, 3w4d", ""},
      // Header counts ending in "nets" or "asks" are no time or interface.
      {"D    10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks", {1, 2},
       "D    10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks", ""},
      {"S    10.0.0.0/8 is a summary, 7w0d, Null0", {2}, "S    10.0.0.0/8 is a summary, Null0", ""},
      {"C", {6}, "-", ""},  // overwrites never lengthen a line
      // A folded extra path keeps its spaces when the protocol is dropped.
      {std::string(20, ' ') + "[110/2] via 10.1.1.3, Vlan20", {4}, std::string(20, ' ') + "[110/2] via 10.1.1.3, Vlan20",
       "O       10.1.1.0/24 [110/2] via 10.1.1.3, Vlan20 *"},
  };
  for (const auto& c : cases) {
    std::string line = c.line;
    ApplyInfoFilter(line, Items(c.items), c.asRead.empty() ? c.line : c.asRead);
    EXPECT_EQ(line, c.expected) << "line: " << c.line;
  }
}

TEST(PassesWriterRouteTest, ColumnRules) {
  const std::pair<const char*, bool> cases[] = {
      {"O       10.1.1.0/24 [110/2] via 10.1.1.2", true},
      {"i L1     172.20.2.253/32 [115/20] via 172.20.190.101", true},
      {"i*L2  0.0.0.0/0 [115/10] via 172.20.190.110", true},  // column 6 is the space
      {"X    ", true},  // column 10 lies beyond the end
      {"       D - EIGRP, EX - EIGRP external", false},
      {"OE2  10.1.1.0/24 [110/2] via 10.1.1.2", false},
      {"O    x    10.1.1.0", false},  // column 10 is a space
      {"", false},
  };
  for (const auto& [line, passes] : cases) EXPECT_EQ(PassesWriterRouteTest(line), passes) << line;
}

TEST(PathFolder, ExtraPathsFoldUnderTheirRouteOnly) {
  using V = std::vector<std::string>;
  const std::string first = "O       10.1.1.0/24 [110/2] via 10.1.1.2, 00:00:05, Vlan10";
  const std::string second = "O       10.1.1.0/24 [110/2] via 10.1.1.3, 00:00:05, Vlan20 *";
  const std::string third = "O       10.1.1.0/24 [110/2] via 10.1.1.4, 00:00:05, Vlan30 *";
  const std::string other = "O       10.1.9.0/24 [110/2] via 10.1.1.2, 00:00:05, Vlan10";
  const std::string shifted = "O       10.1.1.0/24  [110/2] via 10.1.1.2, 00:00:05, Vlan10";
  const std::string indented = "        10.1.1.0/24 [110/2] via 10.1.1.3 *";  // fails the route-line test
  const std::string pad(20, ' ');
  const std::pair<V, V> cases[] = {
      {{first, second, third}, {first, pad + "[110/2] via 10.1.1.3, 00:00:05, Vlan20", pad + "[110/2] via 10.1.1.4, 00:00:05, Vlan30"}},
      // An extra path sorted first is written in full and the route folds under it.
      {{third, first, first}, {third.substr(0, third.size() - 2), pad + "[110/2] via 10.1.1.2, 00:00:05, Vlan10", first}},
      // Beside another route, or with its "[" elsewhere, a path stays whole.
      {{other, second, other, shifted}, {other, second.substr(0, second.size() - 2), other, shifted}},
      {{first, indented}, {first, indented}},
  };
  for (const auto& [in, expected] : cases) {
    PathFolder folder;
    V out;
    for (std::string line : in) {
      folder.Fold(line);
      out.push_back(line);
    }
    EXPECT_EQ(out, expected);
  }
}

}  // namespace
}  // namespace tess
