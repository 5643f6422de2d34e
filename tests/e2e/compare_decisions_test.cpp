// Comparisons where a literal reading of the walk would give a wrong answer:
// table pairing, names around the end marker, whole blocks, equal
// destinations with other masks, the reader's section bound, the mask state
// at the start, BGP ages and duplicate table names.
#include <gtest/gtest.h>

#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

class CompareDecisions : public ::testing::TestWithParam<ReportCase> {};

TEST_P(CompareDecisions, ReportIsAsWorkedOut) { ExpectReport(GetParam()); }

const std::string kNet1 = "C    10.1.0.0/24 is directly connected, E0";
const std::string kNet2 = "C    10.2.0.0/24 is directly connected, E0";
const std::string kNet3 = "C    10.3.0.0/24 is directly connected, E3";

// A route with ten equal paths; `ninth` is the interface of the ninth.
std::vector<std::string> TenPaths(const std::string& ninth, const std::string& age, const std::string& prefix = "") {
  std::vector<std::string> lines = {prefix + "O    10.5.0.0/16 [110/20] via 192.168.0.1" + age + ", Ethernet1"};
  for (int k = 2; k <= 10; ++k) {
    const std::string nic = k == 9 ? ninth : "Ethernet" + std::to_string(k);
    lines.push_back(prefix + std::string(17, ' ') + "[110/20] via 192.168.0." + std::to_string(k) + age + ", " + nic);
  }
  return lines;
}

std::vector<std::string> WholeBlockReport() {
  std::vector<std::string> body = TenPaths("Ethernet9", "", "前< ");
  for (const auto& line : TenPaths("Ethernet99", "", "後> ")) body.push_back(line);
  body.insert(body.end(), {"", Differences(1)});
  return body;
}

const std::string kBgp1 = "B    10.0.0.0/8 [20/0] via 192.168.1.1";
const std::string kBgpPath = "                [20/0] via 192.168.1.";

INSTANTIATE_TEST_SUITE_P(
    Decisions, CompareDecisions,
    ::testing::Values(
        // Entry 1 is no default instance in VRF-only logs with more than one
        // table: A is gone, B pairs with B.
        ReportCase{"VrfOnlyLogsPairByName", VrfTable("A", {kNet1}) + VrfTable("B", {kNet2}),
                   VrfTable("B", {kNet2}),
                   {"減<VRF:A", "  < " + kNet1, "", Differences(1)}},
        ReportCase{"TwoSingleVrfCapturesPairWhateverTheirNames",
                   VrfTable("RED", {"S    10.9.0.0/16 [1/0] via 10.1.1.9"}),
                   VrfTable("BLUE", {"S    10.9.0.0/16 [1/0] via 10.1.1.8"}),
                   {"前< S    10.9.0.0/16 [1/0] via 10.1.1.9", "後> S    10.9.0.0/16 [1/0] via 10.1.1.8", "",
                    Differences(1)}},
        // "#a" sorts before "(Default Instance)" as bytes; the walk must still
        // take the global table first, or #a would be gone and new at once.
        ReportCase{"VrfNamedHashDoesNotSortBeforeGlobalTable",
                   VrfTable("#a", {kNet1}) + VrfTable("B", {kNet2}),
                   GlobalTable({kNet3}) + VrfTable("#a", {kNet1}),
                   {"  > " + kNet3, "", "減<VRF:B", "  < " + kNet2, "", Differences(2)}},
        ReportCase{"NamesAfterTildeDoNotBreakTheWalk",
                   GlobalTable({kNet1}) + VrfTable("~~~~~~~~~~z", {"S    10.2.0.0/16 [1/0] via 10.1.1.9"}) +
                       VrfTable("\x7f", {kNet3}),
                   GlobalTable({kNet1}) + VrfTable("~~~~~~~~~~z", {"S    10.2.0.0/16 [1/0] via 10.1.1.8"}) +
                       VrfTable("~", {}),
                   {"増>VRF:~", "", "VRF:~~~~~~~~~~z", "", "前< S    10.2.0.0/16 [1/0] via 10.1.1.9",
                    "後> S    10.2.0.0/16 [1/0] via 10.1.1.8", "", "減<VRF:\x7f", "  < " + kNet3, "",
                    Differences(3)}},
        ReportCase{"ChangeInNinthOfTenPathsIsReported", GlobalTable(TenPaths("Ethernet9", ", 00:00:12")),
                   GlobalTable(TenPaths("Ethernet99", ", 00:00:12")), WholeBlockReport()},
        ReportCase{"ShorterMaskOnlyInLog1IsGoneAlone",
                   GlobalTable({"S    10.0.0.0/24 [1/0] via 10.1.1.2", "S    10.0.0.0/8 [1/0] via 10.1.1.1"}),
                   GlobalTable({"S    10.0.0.0/24 [1/0] via 10.1.1.2"}),
                   {"減< S    10.0.0.0/8 [1/0] via 10.1.1.1", "", Differences(1)}},
        ReportCase{"ShorterMaskOnlyInLog2IsNewAlone", GlobalTable({"S    10.0.0.0/24 [1/0] via 10.1.1.2"}),
                   GlobalTable({"S    10.0.0.0/8 [1/0] via 10.1.1.1", "S    10.0.0.0/24 [1/0] via 10.1.1.2"}),
                   {"増> S    10.0.0.0/8 [1/0] via 10.1.1.1", "", Differences(1)}},
        // Routes before any table: log 2's sort leaves mask 24 in the key
        // builder's stream; the walk starts both streams at 0 all the same.
        ReportCase{"MaskStateStartsAtZero", Lines({"C    10.1.1.0 is directly connected, Ethernet0"}),
                   Lines({"C    10.1.1.0/24 is directly connected, Ethernet0"}),
                   {"前< C    10.1.1.0 is directly connected, Ethernet0",
                    "後> C    10.1.1.0/24 is directly connected, Ethernet0", "", Differences(1)}},
        ReportCase{"BgpAgesGoFromEveryPath",
                   GlobalTable({kBgp1 + ", 1w2d", kBgpPath + "2, 1w2d", "B*   0.0.0.0/0 [20/0] via 192.168.1.1, 00:01:02"}),
                   GlobalTable({kBgp1 + ", 5w6d", kBgpPath + "2, 00:00:07", "B*   0.0.0.0/0 [20/0] via 192.168.1.1, 3d04h"}),
                   {"同等です"}},
        ReportCase{"BgpAgesGoAlsoWithoutProtocol", GlobalTable({kBgp1 + ", 1w2d", kBgpPath + "2, 1w2d"}),
                   GlobalTable({kBgp1 + ", 5w6d", kBgpPath + "2, 00:00:07"}), {"同等です"}, {"--filter", "protocol"}},
        ReportCase{"BgpPathChangeShowsPathsWithoutAges", GlobalTable({kBgp1 + ", 1w2d", kBgpPath + "2, 1w2d"}),
                   GlobalTable({kBgp1 + ", 5w6d", kBgpPath + "3, 00:00:07"}),
                   {"前< " + kBgp1, "前< " + kBgpPath + "2", "後> " + kBgp1, "後> " + kBgpPath + "3", "",
                    Differences(1)}},
        // The first of two tables of one name stands for it.
        ReportCase{"DuplicateVrfNameKeepsTheFirstTable",
                   VrfTable("A", {kNet1}) + VrfTable("A", {kNet2}) + VrfTable("B", {kNet3}),
                   VrfTable("A", {kNet2}) + VrfTable("B", {kNet3}),
                   {"VRF:A", "", "減< " + kNet1, "", "増> " + kNet2, "", Differences(2)}},
        ReportCase{"DuplicateGlobalTableKeepsTheFirstTable", GlobalTable({kNet1}) + GlobalTable({kNet2}),
                   GlobalTable({kNet1}), {"同等です"}}),
    CaseName);

// Thousands of empty VRF tables: every pair is read within its own section,
// so the gone table and the change in the last VRF are reported alone.
TEST(CompareDecisions, ManyEmptyVrfTablesCompareTableByTable) {
  std::string before = GlobalTable({kNet1}), after = GlobalTable({kNet1});
  for (int k = 0; k < 2000; ++k) {
    char name[8];
    std::snprintf(name, sizeof name, "V%04d", k);
    before += VrfTable(name, {});
    if (k != 500) after += VrfTable(name, {});
  }
  before += VrfTable("Z", {kNet2});
  after += VrfTable("Z", {"C    10.2.0.0/24 is directly connected, E1"});
  const Comparison r = CompareLogs(before, after);
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.report, Report({"減<VRF:V0500", "", "VRF:Z", "", "前< " + kNet2,
                              "後> C    10.2.0.0/24 is directly connected, E1", "", Differences(2)}));
}

// More differences than a 16-bit counter holds.
TEST(CompareDecisions, DifferenceCountDoesNotWrap) {
  std::vector<std::string> routes;
  for (int k = 0; k < 33000; ++k) {
    routes.push_back("S    10." + std::to_string(k / 256) + "." + std::to_string(k % 256) + ".0/24 [1/0] via 10.0.0.1");
  }
  // One route stays, so that log 2 holds a route line to compare.
  const Comparison r = CompareLogs(GlobalTable(routes), GlobalTable({routes.back()}));
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const std::string verdict = "\r\n" + Differences(32999) + "\r\n";
  ASSERT_GE(r.report.size(), verdict.size());
  EXPECT_EQ(r.report.substr(r.report.size() - verdict.size()), verdict);
}

}  // namespace
}  // namespace tess::testing
