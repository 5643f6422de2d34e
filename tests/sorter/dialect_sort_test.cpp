// Sorting the tables of the route-block dialects: each table named and read
// by the line that opens it, its routes kept whole in each of the six orders
// (IPv6 destinations as 128-bit numbers, paths by next hop), every line kept,
// and the filter applied to each line by its role.
#include <gtest/gtest.h>

#include <map>

#include "app/output_names.h"
#include "app/sort_log.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

SortOutcome Sort(const ScratchDir& dir, const std::vector<std::string>& log, SortOptions options) {
  WriteFile(dir.File("r.log"), CrLf(log));
  SortRequest request;
  request.Files = FilesOfLog(dir.File("r.log"), 1, ".srt");
  request.Options = options;
  return SortLog(request);
}

SortOptions InOrder(SortOrder order) { return {true, order, InfoFilter::Only(FilterItem::All)}; }

// Routes as the sort result writes them, paths ordered by next hop.
const std::map<char, std::vector<std::string>> kRoutes = {
    {'A', {"S   2001:DB8::/48 [1/0]", "     via 2001:DB8:FFFF::1", "     via FE80::2, Gi0/1"}},
    {'B', {"B   ::/0 [20/0]", "     via 2001:DB8:FFFF::9"}},
    {'C', {"C   FE80::/10 [0/0]", "     via Gi0/0, directly connected"}},
    {'D', {"L   ::1/128 [0/0]", "     via Null0, receive"}},
    {'E', {"O   2001:db8::/32 [110/2]", "     via fe80::1, Gi0/1"}},
};
const std::vector<std::string> kHeader = {"IPv6 Routing Table - default - 5 entries", "Codes: C - Connected", ""};

// The IOS IPv6 table of kRoutes, A's paths in the other order.
std::vector<std::string> Ipv6Log() {
  std::vector<std::string> log = kHeader;
  log.insert(log.end(), {kRoutes.at('A')[0], kRoutes.at('A')[2], kRoutes.at('A')[1]});
  for (char route : std::string("BCDE")) log.insert(log.end(), kRoutes.at(route).begin(), kRoutes.at(route).end());
  log.push_back("R1#");
  return log;
}

TEST(DialectSort, KeepsRoutesWholeInEachOrder) {
  const struct {
    SortOrder order;
    const char* routes;
  } cases[] = {
      {SortOrder::Destination, "BDEAC"},              // ::/0, ::1, 2001:db8::/32, 2001:DB8::/48, FE80::/10
      {SortOrder::NextHop, "DCBEA"},                  // interfaces as ::, then by the first path's hop
      {SortOrder::MaskThenDestination, "BCEAD"},      // /0, /10, /32, /48, /128
      {SortOrder::MaskThenNextHop, "BCEAD"},
      {SortOrder::ProtocolThenDestination, "BCDEA"},  // B, C, L, O, S
      {SortOrder::ProtocolThenNextHop, "BCDEA"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.routes);
    ScratchDir dir;
    const SortOutcome outcome = Sort(dir, Ipv6Log(), InOrder(c.order));
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
    EXPECT_EQ(outcome.Index.RouteLineCount, 5);
    std::vector<std::string> expected = kHeader;
    for (const char* r = c.routes; *r != '\0'; ++r) expected.insert(expected.end(), kRoutes.at(*r).begin(), kRoutes.at(*r).end());
    expected.push_back("R1#");
    EXPECT_EQ(ReadFile(dir.File("r.srt")), CrLf(expected));
  }
}

TEST(DialectSort, NamesEachTableByTheLineThatOpensIt) {
  ScratchDir dir;
  const SortOutcome outcome = Sort(dir, {"R1#show ip route", "Routing Table: RED", "Gateway of last resort is not set",
                                         "C    10.1.0.0/24 is directly connected, E0",
                                         "IP Route Table for VRF \"default\"", "10.0.0.0/8, ubest/mbest: 1/0",
                                         "    *via Null0, [1/0], 1y17w, static",
                                         "IPv6 Routing Table for VRF \"RED\"", "IP Route Table for VRF \"BLUE\"",
                                         "    IPv6 Routing Table - default - 0 entries", "VRF: default",
                                         "Gateway of last resort is not set", "VRF: GREEN",
                                         "Gateway of last resort is not set", "S    2001:1:1:1::1/128",
                                         "    [1/0] via 2001:20:1:2::1, 01:52:23, Gi0/0/0/0",
                                         "Tue May 22 22:32:30.765 UTC", "Gateway of last resort is not set",
                                         "       M - mobile route, r - RPL, (!) - FRR Backup path",
                                         "Gateway of last resort is not set",
                                         "O    10.1.0.0/30 [110/0] via 10.1.1.9, 04:43:40, Gi0/0/0/0 (!)",
                                         "                 [110/9163] via 10.1.1.34, 04:43:40, Gi0/0/0/3"},
                                    SortOptions{});
  ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
  const std::vector<std::pair<std::string, TableDialect>> expected = {
      {"!!begin", TableDialect::IosIpv4},
      {"RED", TableDialect::IosIpv4},
      {"!!default", TableDialect::Nxos},
      {"RED (IPv6)", TableDialect::Nxos},
      {"BLUE", TableDialect::Nxos},
      {"(Default Instance) (IPv6)", TableDialect::IosIpv6},
      {"!!default", TableDialect::Xr},
      {"GREEN (IPv6)", TableDialect::Xr},
      {"!!default", TableDialect::IosIpv4},  // IOS prints that time stamp too
      {"!!default", TableDialect::Xr},       // after XR's legend
  };
  std::vector<std::pair<std::string, TableDialect>> tables;
  for (const TableExtent& table : outcome.Index.Tables) tables.emplace_back(table.Name, table.Dialect);
  EXPECT_EQ(tables, expected);
  EXPECT_EQ(outcome.Index.RouteLineCount, 4);
}

// Blank lines between paths do not end a route; they and other loose lines
// after the first route go to the table's end, in log order.
TEST(DialectSort, KeepsEveryLineOfATableWithWrappedPathsAndBlankLines) {
  ScratchDir dir;
  const SortOutcome outcome = Sort(dir, {"IP Route Table for VRF \"default\"", "'[x/y]' denotes [preference/metric]", "",
                                         "44.55.0.11/32, ubest/mbest: 1/0 time",
                                         "     via 22.33.0.11, [200/0], 1y16w, bgp-2244, internal,",
                                         "tag 24436 (hidden)", "", "    *via 11.22.159.42, [1/0], 1y16w, static",
                                         "10.0.0.0/8, ubest/mbest: 1/0 time", "    *via Null0, [1/0], 1y17w, static",
                                         "switch#"},
                                    InOrder(SortOrder::Destination));
  ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
  EXPECT_EQ(ReadFile(dir.File("r.srt")),
            CrLf({"IP Route Table for VRF \"default\"", "'[x/y]' denotes [preference/metric]", "",
                  "10.0.0.0/8, ubest/mbest: 1/0 time", "    *via Null0, [1/0], 1y17w, static",
                  "44.55.0.11/32, ubest/mbest: 1/0 time", "    *via 11.22.159.42, [1/0], 1y16w, static",
                  "     via 22.33.0.11, [200/0], 1y16w, bgp-2244, internal,", "tag 24436 (hidden)", "", "switch#"}));
}

// The writer gives the filter each line's role: heads, paths and
// continuations change, loose lines never do.
TEST(DialectSort, FiltersEachLineByItsRole) {
  ScratchDir dir;
  SortOptions options = InOrder(SortOrder::Destination);
  options.Filter = InfoFilter::Only(FilterItem::Time);
  const SortOutcome outcome = Sort(dir, {"Gateway of last resort is not set", "L    2001:2:2:2::2/128 is directly connected,",
                                         "    01:52:24, Loopback0", "Thu Sep  5 14:14:08.981 UTC"},
                                    options);
  ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
  EXPECT_EQ(ReadFile(dir.File("r.srt")), CrLf({"Gateway of last resort is not set", "L    2001:2:2:2::2/128 is directly connected,",
                                               "    Loopback0", "Thu Sep  5 14:14:08.981 UTC"}));
}

}  // namespace
}  // namespace tess
