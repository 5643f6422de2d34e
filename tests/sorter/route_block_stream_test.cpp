// Lines of the route-block dialects told apart: which line opens a route,
// which are its paths, which continue a wrapped line, and which are loose;
// and the fields the sort keys are made of.
#include "sorter/route_block_stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tess {
namespace {

// Roles as letters: L loose, H head, W head with a path, P path, C continuation.
std::string RolesOf(TableDialect dialect, const std::vector<std::string>& lines,
                    RouteBlockStream::Source source = RouteBlockStream::Source::Log) {
  RouteBlockStream stream(dialect, source);
  std::string roles;
  for (const std::string& line : lines) roles += "LHWPC"[static_cast<int>(stream.Parse(line).Role)];
  return roles;
}

TEST(RouteBlockStream, TellsHeadsPathsContinuationsAndLooseLines) {
  const struct {
    const char* name;
    TableDialect dialect;
    std::vector<std::string> lines;
    const char* roles;
  } cases[] = {
      {"NX-OS legend, best and other paths, a wrapped path, blank lines between paths",
       TableDialect::Nxos,
       {"'*' denotes best ucast next-hop", "", "10.0.0.0/8, ubest/mbest: 1/0 time",
        "    *via Null0, [1/0], 1y17w, static", "     via 22.33.0.11, [200/0], 1y16w, bgp-2244, internal,",
        "tag 24436 (hidden)", "", "    *via 10.1.1.1, Eth1/1, [1/0], 1d, static", "", "Route not found",
        "    *via 10.1.1.2, Eth1/1, [1/0], 1d, static"},
       "LLHPPCLPLLL"},
      {"NX-OS IPv6 route, a prompt after it, a path without a route",
       TableDialect::Nxos,
       {"2001:1:1:1::1/128, ubest/mbest: 2/0, attached", "    *via 2001:1:1:1::1, Lo4, [0/0], 00:00:35, direct,",
        "R3_nxosv# show ipv6 route", "    *via 2001:1:1:1::1, Lo4, [0/0], 00:00:35, local"},
       "HPLL"},
      {"NX-OS heads need a mask and a comma in a log",
       TableDialect::Nxos,
       {"10.0.0.0/8", "10.0.0.0, ubest/mbest: 1/0", "10.0.0.0/33, ubest/mbest: 1/0", "2001::/129, x"},
       "LLLL"},
      {"IOS IPv6: codes, indented heads, interface paths, last-updated lines",
       TableDialect::IosIpv6,
       {"Codes: C - Connected, L - Local, S - Static", "       B - BGP, HA - Home Agent, MR - Mobile Router",
        "LC  2001:1:1:1::1/128 [0/0]", "     via Loopback0, receive", "      Last updated 22:55:51 04 December 2017",
        "  B   2001:db8:cdc9:1b9::/64 [200/2219]", "    via 10.4.1.1%default, indirectly connected",
        "OE2 2001:DB8::/64 [110/20], tag 5", "     via FE80::A8BB:CCFF:FE02:8B00, Serial6/0"},
       "LLHPCHPHP"},
      {"IOS-XR IPv6: paths under the head, indented or not, heads that hold a path",
       TableDialect::Xr,
       {"Gateway of last resort is fe80::10ff:fe04:209e to network ::", "a*   ::/0",
        "[2/0] via fe80::10ff:fe04:209e, 00:08:31, MgmtEth0/RP0/CPU0/0",
        "L    2001:2:2:2::2/128 is directly connected,", "    01:52:24, Loopback0", "i L1 2001:21:21:21::21/128",
        "    [115/20] via fe80::5054:ff:fea5:829 (nexthop in vrf default), 00:56:34, Gi0/0/0/3",
        "B    2001:db8::/48 [200/0] via 2001:13:13:13::13, 00:53:22", "VRF: RED",
        "C    2001:db8:1::/64 is directly connected,", "RP/0/0/CPU0:R2_xrv#show route ipv6"},
       "LHPWCHPWLWL"},
  };
  for (const auto& c : cases) EXPECT_EQ(RolesOf(c.dialect, c.lines), c.roles) << c.name;
}

TEST(RouteBlockStream, ReadsAFilteredHeadBackFromASortResult) {
  using Source = RouteBlockStream::Source;
  EXPECT_EQ(RolesOf(TableDialect::Nxos, {"10.1.0.0", "2001:db8::/32", ""}, Source::SortResult), "HHL");
  EXPECT_EQ(RolesOf(TableDialect::IosIpv6, {"-   2001:2:2:2::2", "-    2001:db8::/64", ""}, Source::SortResult), "HHL");
  EXPECT_EQ(RolesOf(TableDialect::Nxos, {"10.1.0.0"}), "L");
}

TEST(RouteBlockStream, GivesTheFieldsOfTheKeys) {
  RouteBlockStream nxos(TableDialect::Nxos);
  const BlockLine head = nxos.Parse("10.1.17.128/25, ubest/mbest: 3/0");
  EXPECT_EQ(head.Destination, Address128::FromIpv4(0x0A011180));
  EXPECT_EQ(head.MaskLength, 25);
  const BlockLine path = nxos.Parse("    *via 10.24.1.74, Eth1/1, [170/3072], 4w4d, eigrp-NAMED, external");
  EXPECT_EQ(path.NextHop, Address128::FromIpv4(0x0A18014A));
  EXPECT_EQ(path.Protocol, PackProtocol("eigrp-NAMED"));
  EXPECT_EQ(nxos.Parse("    *via Null0, [1/0], 1y17w, static").NextHop, Address128{});

  RouteBlockStream ios6(TableDialect::IosIpv6);
  const BlockLine code = ios6.Parse("OE2 2001:DB8::/64 [110/20]");
  EXPECT_EQ(code.Protocol, PackProtocol("OE2"));
  EXPECT_EQ(code.Destination, (Address128{0x20010DB800000000, 0}));
  EXPECT_EQ(code.MaskLength, 64);
  EXPECT_EQ(ios6.Parse("     via ::ffff:10.1.1.1%default, indirectly connected").NextHop, Address128::FromIpv4(0x0A010101));
  EXPECT_EQ(ios6.Parse("     via 2001:::1").NextHop, Address128::None());

  RouteBlockStream xr(TableDialect::Xr);
  EXPECT_EQ(xr.Parse("i L1 2001:21::/128").Protocol, PackProtocol("i L1"));
  EXPECT_EQ(xr.Parse("L    2001:2::2/128 is directly connected,").NextHop, Address128{});
}

}  // namespace
}  // namespace tess
