// Comparing tables of the route-block dialects: tables paired by name within
// one address family, routes by destination (and mask), addresses compared
// as numbers, ages ignored.
#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

const std::vector<std::string> kNxosIpv6 = {
    "IPv6 Routing Table for VRF \"default\"", "'*' denotes best ucast next-hop", "",
    "2001:db8::/32, ubest/mbest: 1/0", "    *via fe80::5054:ff:fe64:bd2e, Eth1/3, [110/41], 01:01:10, ospfv3-1, intra",
    "2001:db8::/48, ubest/mbest: 2/0", "    *via 2001:10:1:3::1, Eth1/2, [1/0], 01:02:00, static",
    "    *via 2001:20:1:3::1, Eth1/3, [1/0], 01:02:00, static"};

// Differences as "kind table first-line" strings.
std::vector<std::string> Compare(const std::vector<std::string>& before, const std::vector<std::string>& after) {
  ScratchDir dir;
  const CompareOutcome outcome = CompareRecorded(dir, CrLf(before), CrLf(after));
  EXPECT_TRUE(outcome.status.ok()) << outcome.status.Message();
  EXPECT_TRUE(outcome.NotCompared.ok()) << outcome.NotCompared.Message();
  std::vector<std::string> differences;
  for (const RecordedDifference& d : outcome.Record.Differences) {
    const std::vector<std::string>& lines = d.Before.empty() ? d.After : d.Before;
    differences.push_back(std::string(d.Kind == DifferenceKind::Gone ? "gone " : d.Kind == DifferenceKind::New ? "new " : "changed ") +
                          d.Table + (lines.empty() ? "" : " " + lines[0]));
  }
  EXPECT_EQ(outcome.DifferenceCount, static_cast<int64_t>(differences.size()));
  return differences;
}

std::vector<std::string> With(std::vector<std::string> lines, size_t at, const std::string& line) {
  lines[at] = line;
  return lines;
}

TEST(DialectComparison, FindsEachDifferenceAndNothingElse) {
  const std::vector<std::string> withoutShortRoute = {kNxosIpv6[0], kNxosIpv6[5], kNxosIpv6[6], kNxosIpv6[7]};
  const struct {
    const char* name;
    std::vector<std::string> after;
    std::vector<std::string> differences;
  } cases[] = {
      {"addresses in upper case, other ages",
       With(With(kNxosIpv6, 4, "    *via FE80::5054:FF:FE64:BD2E, Eth1/3, [110/41], 2w3d, ospfv3-1, intra"), 6,
            "    *via 2001:10:1:3:0:0:0:1, Eth1/2, [1/0], 00:00:09, static"),
       {}},
      {"a path changed",
       With(kNxosIpv6, 7, "    *via 2001:20:1:3::2, Eth1/3, [1/0], 01:02:00, static"),
       {"changed (Default Instance) (IPv6) 2001:db8::/48, ubest/mbest: 2/0"}},
      {"the shorter mask gone beside the longer one", withoutShortRoute,
       {"gone (Default Instance) (IPv6) 2001:db8::/32, ubest/mbest: 1/0"}},
      {"a VRF's IPv6 table only after",
       [] {
         std::vector<std::string> after = kNxosIpv6;
         after.insert(after.end(), {"IPv6 Routing Table for VRF \"RED\"", "2001:1::1/128, ubest/mbest: 1/0",
                                    "    *via 2001:1::1, Lo4, [0/0], 00:00:35, direct"});
         return after;
       }(),
       {"new RED (IPv6) 2001:1::1/128, ubest/mbest: 1/0"}},
      {"an IPv4 table of the same routes does not pair with the IPv6 one",
       {"IP Route Table for VRF \"default\"", "10.0.0.0/8, ubest/mbest: 1/0", "    *via Null0, [1/0], 1y17w, static"},
       {"new (Default Instance) 10.0.0.0/8, ubest/mbest: 1/0",
        "gone (Default Instance) (IPv6) 2001:db8::/32, ubest/mbest: 1/0"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Compare(kNxosIpv6, c.after), c.differences) << c.name;
}

// One table each of one VRF, named differently, pair as the global table of
// their family, as two IOS captures of one VRF table each do.
TEST(DialectComparison, PairsTheOneIpv6TableOfEachLog) {
  const std::vector<std::string> vrfA = With(kNxosIpv6, 0, "IPv6 Routing Table for VRF \"A\"");
  EXPECT_EQ(Compare(vrfA, With(kNxosIpv6, 0, "IPv6 Routing Table for VRF \"B\"")), std::vector<std::string>{});
  // The global table against a VRF's is not such a pair.
  EXPECT_EQ(Compare(kNxosIpv6, vrfA).size(), 2u);
}

// Tables of two dialects paired by name meet by destination and compare as
// text: a route written differently shows as changed, never as the same.
TEST(DialectComparison, ComparesTablesOfTwoDialectsAsText) {
  EXPECT_EQ(Compare({"Gateway of last resort is not set", "S    10.0.0.0/8 [1/0] via 10.1.1.1",
                     "S    10.0.0.0/9 [1/0] via 10.1.1.1"},
                    {"IP Route Table for VRF \"default\"", "10.0.0.0/8, ubest/mbest: 1/0",
                     "    *via 10.1.1.1, [1/0], 1y17w, static", "10.0.0.0/9, ubest/mbest: 1/0",
                     "    *via 10.1.1.1, [1/0], 1y17w, static"}),
            (std::vector<std::string>{"changed (Default Instance) S    10.0.0.0/8 [1/0] via 10.1.1.1",
                                      "changed (Default Instance) S    10.0.0.0/9 [1/0] via 10.1.1.1"}));
}

}  // namespace
}  // namespace tess
