#include "sorter/dialect_filter.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace tess {
namespace {

constexpr TableDialect N = TableDialect::Nxos, I6 = TableDialect::IosIpv6, X6 = TableDialect::Xr;
constexpr LineRole H = LineRole::Head, HP = LineRole::HeadWithPath, P = LineRole::Path, C = LineRole::Continuation,
                   L = LineRole::Loose;

InfoFilter Items(std::initializer_list<int> items) {
  InfoFilter f;
  for (int k : items) f.Tick(static_cast<FilterItem>(k));
  return f;
}

struct Case {
  TableDialect dialect;
  LineRole role;
  std::initializer_list<int> items;  // 1 interface, 2 time, 3 cost, 4 protocol, 5/6 destination
  std::string line, expected;
};

const std::string kEigrp = "    *via 10.24.1.74, Eth1/1, [170/3072], 4w4d, eigrp-NAMED, external";
const std::string kWrapped = "    *via 2001:33:33:33::33, Lo3, [0/0], 01:02:01, direct,";
const std::string kXrPath = "    [1/0] via 2001:20:1:2::1, 01:52:23, GigabitEthernet0/0/0/0";
const std::string kUpdated = "      Last updated 22:57:07 04 December 2017";

const Case kCases[] = {
    // NX-OS paths: each item alone, then together.
    {N, P, {2}, kEigrp, "    *via 10.24.1.74, Eth1/1, [170/3072], eigrp-NAMED, external"},
    {N, P, {1}, kEigrp, "    *via 10.24.1.74, [170/3072], 4w4d, eigrp-NAMED, external"},
    {N, P, {3}, kEigrp, "    *via 10.24.1.74, Eth1/1, 4w4d, eigrp-NAMED, external"},
    {N, P, {4}, kEigrp, "    *via 10.24.1.74, Eth1/1, [170/3072], 4w4d, external"},
    {N, P, {0}, kEigrp, kEigrp},
    {N, P, {1, 2, 3, 4}, "    *via 10.24.2.154, Eth2/11, [170/51712], 3w4d, eigrp-NAMED, external, tag 65422",
     "    *via 10.24.2.154, external, tag 65422"},
    {N, P, {4}, "     via 172.16.2.37, Vlan22, [110/21], 3w1d, ospf-UNDERLAY, type-1",
     "     via 172.16.2.37, Vlan22, [110/21], 3w1d, type-1"},
    // A hop with its VRF, or an interface as the hop, is no interface field.
    {N, P, {1, 4}, "    *via 10.1.100.1%management, [1/0], 6d02h, static",
     "    *via 10.1.100.1%management, [1/0], 6d02h"},
    {N, P, {1, 2}, "    *via Null0, [1/0], 1y17w, static", "    *via Null0, [1/0], static"},
    {N, P, {2}, "    *via 10.62.2.30, Po1, [110/10], 0.000000, ospf-1, type-2, tag 888",
     "    *via 10.62.2.30, Po1, [110/10], ospf-1, type-2, tag 888"},
    // A trailing comma stays only with the field before it; an empty field stays as it came.
    {N, P, {2}, kWrapped, "    *via 2001:33:33:33::33, Lo3, [0/0], direct,"},
    {N, P, {2, 4}, kWrapped, "    *via 2001:33:33:33::33, Lo3, [0/0]"},
    {N, P, {4}, "    *via ::ffff:10.229.11.11%default:IPv4, [200/0], 01:01:43, bgp-100, internal,",
     "    *via ::ffff:10.229.11.11%default:IPv4, [200/0], 01:01:43, internal,"},
    {N, P, {2, 4}, "    *via ::ffff:40.17.113.3%default:IPv4, [200/0], 0.000000, bgp-65103, , tag 6555",
     "    *via ::ffff:40.17.113.3%default:IPv4, [200/0], , tag 6555"},
    // NX-OS heads and continuations.
    {N, H, {1, 2, 3, 4}, "10.10.0.42/32, ubest/mbest: 2/0, attached", "10.10.0.42/32, ubest/mbest: 2/0, attached"},
    {N, H, {5}, "10.1.17.128/25, ubest/mbest: 3/0, attached", "10.1.17.128/25"},
    {N, H, {6}, "2001:1:1:1::1/128, ubest/mbest: 2/0", "2001:1:1:1::1"},
    {N, P, {5}, kEigrp, ""},
    {N, C, {1, 2, 3, 4}, "tag 100", "tag 100"},
    {N, C, {1, 2, 3, 4}, ", segid 50003 tunnelid: 0x28117103 encap: VXLAN",
     ", segid 50003 tunnelid: 0x28117103 encap: VXLAN"},
    {N, C, {1, 2, 3, 4}, "Eth1/4, [200/0], 01:01:24, bgp-100, internal,", "internal,"},
    // IOS IPv6 heads: the code blanked to its width, the cost with its space.
    {I6, H, {4}, "LC   2001:2:2:2::2/128 [200/0]", "-    2001:2:2:2::2/128 [200/0]"},
    {I6, H, {3}, "LC   2001:2:2:2::2/128 [200/0]", "LC   2001:2:2:2::2/128"},
    {I6, H, {3, 4}, "  B   2001:db8:cdc9:1b9::/64 [200/2219]", "  -   2001:db8:cdc9:1b9::/64"},
    {I6, H, {3, 4}, "OE2 2001:DB8::/64 [110/20], tag 5", "-   2001:DB8::/64, tag 5"},
    {I6, H, {5}, "B   2001:DB8:4::2/48 [20/0]", "-   2001:DB8:4::2/48"},
    {I6, H, {6}, "B   2001:DB8:4::2/48 [20/0]", "-   2001:DB8:4::2"},
    // IOS IPv6 paths: only a last field that names an interface goes.
    {I6, P, {1}, "     via FE80::A8BB:CCFF:FE02:8B00, Serial6/0", "     via FE80::A8BB:CCFF:FE02:8B00"},
    {I6, P, {1}, "     via Vlan1, directly connected", "     via Vlan1, directly connected"},
    {I6, P, {1, 2, 3}, "    via Null0, receive", "    via Null0, receive"},
    {I6, P, {1, 2, 3}, "    via 10.4.1.1%default, indirectly connected",
     "    via 10.4.1.1%default, indirectly connected"},
    {I6, P, {1, 2, 3, 4}, "       via 2001:DB8:1:1::2", "       via 2001:DB8:1:1::2"},
    {I6, P, {6}, "     via 2001:10:1:2::2, GigabitEthernet0/0", ""},
    {I6, C, {2}, kUpdated, "      Last updated"},
    {I6, C, {5}, kUpdated, ""},
    // XR IPv6 heads.
    {X6, H, {4}, "i L1 2001:21:21:21::21/128", "-    2001:21:21:21::21/128"},
    {X6, H, {5}, "a*   ::/0", "-    ::/0"},
    {X6, H, {6}, "S    2001:1:1:1::1/128", "-    2001:1:1:1::1"},
    {X6, HP, {2}, "L    2001:2:2:2::2/128 is directly connected,", "L    2001:2:2:2::2/128 is directly connected,"},
    {X6, HP, {5}, "L    2001:2:2:2::2/128 is directly connected,", "-    2001:2:2:2::2/128"},
    {X6, HP, {1, 2, 3, 4}, "B    2001:db8::/48 [200/0] via 2001:13:13:13::13, 00:53:22",
     "-    2001:db8::/48 via 2001:13:13:13::13"},
    // XR IPv6 paths and continuations.
    {X6, P, {2}, kXrPath, "    [1/0] via 2001:20:1:2::1, GigabitEthernet0/0/0/0"},
    {X6, P, {1, 3}, kXrPath, "    via 2001:20:1:2::1, 01:52:23"},
    {X6, P, {1, 2, 3}, "[2/0] via fe80::10ff:fe04:209e, 00:08:31, MgmtEth0/RP0/CPU0/0", "via fe80::10ff:fe04:209e"},
    {X6, P, {1, 2},
     "    [115/20] via fe80::5054:ff:fea5:829 (nexthop in vrf default), 00:56:34, GigabitEthernet0/0/0/3",
     "    [115/20] via fe80::5054:ff:fea5:829 (nexthop in vrf default)"},
    {X6, P, {1}, "    [110/0] via fe80::1, 04:43:27, HundredGigE0/0/1/1 (!)", "    [110/0] via fe80::1, 04:43:27 (!)"},
    {X6, P, {1}, "    [200/0] via 2001:13:13:13::13, 00:53:22", "    [200/0] via 2001:13:13:13::13, 00:53:22"},
    {X6, C, {2}, "    01:52:24, Loopback0", "    Loopback0"},
    {X6, C, {1}, "    01:52:24, Loopback0", "    01:52:24"},
    {X6, C, {1, 2}, "    01:52:24, Loopback0", ""},
    {X6, C, {2}, "00:07:43, GigabitEthernet0/0/0/1", "GigabitEthernet0/0/0/1"},
    {X6, C, {1, 2}, "    01:52:24, HundredGigE0/0/1/1 (!)", "    (!)"},
    // Odd lines: empty, spaces only, a head without mask or code, a path without comma.
    {N, H, {1, 2, 3, 4}, "", ""},
    {X6, H, {5}, "    ", "    "},
    {N, H, {6}, "10.1.17.128, ubest/mbest: 3/0", "10.1.17.128"},
    {X6, H, {5}, "S    2001:1:1:1::1", "-    2001:1:1:1::1"},
    {X6, H, {4, 5}, "B", "B"},
    {X6, H, {4}, "B    [200/0] via 2001:db8::1", "B    [200/0] via 2001:db8::1"},
    {N, P, {1, 2, 3, 4}, "    *via 10.10.50.1", "    *via 10.10.50.1"},
    {X6, P, {3}, "    [1/0] via 2001:db8::1", "    via 2001:db8::1"},
};

TEST(ApplyDialectFilter, ItemsOnRealLines) {
  for (const Case& c : kCases) {
    std::string line = c.line;
    ApplyDialectFilter(line, c.dialect, c.role, Items(c.items));
    EXPECT_EQ(line, c.expected) << "line: " << c.line;
  }
}

// Every start of every line above, in every role and with every filter:
// nothing is read out of bounds (the sanitizer build), no line grows, and no
// separator is left dangling or doubled that the line did not have.
TEST(ApplyDialectFilter, TruncatedLinesInEveryRole) {
  const LineRole roles[] = {H, HP, P, C, L};
  for (const Case& c : kCases) {
    for (size_t n = 0; n <= c.line.size(); ++n) {
      const std::string in = c.line.substr(0, n);
      for (LineRole role : roles) {
        for (int items = 0; items < 18; ++items) {  // every set of items 1-4, then 5 and 6 alone
          InfoFilter f = items < 16 ? InfoFilter() : InfoFilter::Only(static_cast<FilterItem>(items - 11));
          for (int k = 1; k <= 4; ++k) f.Tick(static_cast<FilterItem>(k), items < 16 && ((items >> (k - 1)) & 1));
          std::string out = in;
          ApplyDialectFilter(out, c.dialect, role, f);
          ASSERT_LE(out.size(), in.size()) << in;
          ASSERT_TRUE(!out.ends_with(", ") || in.ends_with(", ")) << in << " -> " << out;
          ASSERT_TRUE(out.find(", ,") == std::string::npos || in.find(", ,") != std::string::npos) << in;
          if (role == L) {
            ASSERT_EQ(out, in);
          }
        }
      }
    }
  }
}

}  // namespace
}  // namespace tess
