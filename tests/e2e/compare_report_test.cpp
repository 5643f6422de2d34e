// The comparison report through the binary: the sample logs of examples/ and
// the cases of the table walk, each report worked out by hand.
#include <gtest/gtest.h>

#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

TEST(CompareReport, ExampleLogsGiveTheSampleReport) {
  ScratchDir work, config;
  for (const char* name : {"before.log", "after.log"}) {
    WriteFile(work.File(name), ReadFile(SourceDir() + "/examples/" + name));
  }
  const RunResult r = RunTessaline({"before.log", "after.log"}, work.path(), config.path());
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out, "after.log  5 differences\n");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFile(work.File("after.dif")),
            "前: before.log\r\n"
            "後: after.log\r\n"
            "\r\n"
            "前< S    10.9.9.0/24 [1/0] via 10.1.1.9\r\n"
            "後> S    10.9.9.0/24 [1/0] via 10.1.1.8\r\n"
            "\r\n"
            "増> S    10.10.0.0/16 [1/0] via 10.1.1.9\r\n"
            "\r\n"
            "減<VRF:BLUE\r\n"
            "  < C    172.16.1.0/24 is directly connected, Ethernet1\r\n"
            "\r\n"
            "VRF:GREEN\r\n"
            "\r\n"
            "減< S    172.20.9.0/24 [1/0] via 172.20.1.9\r\n"
            "\r\n"
            "増>VRF:RED\r\n"
            "  > C    192.168.5.0/24 is directly connected, Ethernet2\r\n"
            "\r\n"
            " 5 の違いがあります\r\n");
  // A first start keeps no sort results: only the logs and the report remain.
  EXPECT_EQ(work.List(), (std::vector<std::string>{"after.dif", "after.log", "before.log"}));
}

TEST(CompareReport, SameLogGivenTwiceIsEquivalent) {
  ScratchDir work, config;
  WriteFile(work.File("r.log"), ReadFile(SourceDir() + "/examples/before.log"));
  const RunResult r = RunTessaline({"r.log", "r.log"}, work.path(), config.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(work.File("r.dif")), CrLf({"前: r.log", "後: r.log", "", "同等です"}));
}

class CompareReportCases : public ::testing::TestWithParam<ReportCase> {};

TEST_P(CompareReportCases, ReportIsAsWorkedOut) { ExpectReport(GetParam()); }

const std::string kConnected = "C    10.1.1.0/24 is directly connected, Ethernet0";
const std::string kStatic9 = "S    10.9.9.0/24 [1/0] via 10.1.1.9";
const std::string kStatic8 = "S    10.9.9.0/24 [1/0] via 10.1.1.8";

INSTANTIATE_TEST_SUITE_P(
    Walk, CompareReportCases,
    ::testing::Values(
        ReportCase{"SameRoutesInAnotherOrder", GlobalTable({kConnected, kStatic9}),
                   "R2#sh ip ro\n" + GlobalTable({kStatic9, kConnected}) + "R2#\n", {"同等です"}},
        ReportCase{"ChangedNextHop", GlobalTable({kConnected, kStatic9}),
                   GlobalTable({kConnected, kStatic8}),
                   {"前< " + kStatic9, "後> " + kStatic8, "", Differences(1)}},
        ReportCase{"EmptyLogAgainstGlobalAndVrf", "",
                   GlobalTable({kConnected}) + VrfTable("V", {"S    10.9.0.0/16 [1/0] via 10.1.1.9"}),
                   {"  > " + kConnected, "", "増>VRF:V", "  > S    10.9.0.0/16 [1/0] via 10.1.1.9", "",
                    Differences(2)},
                   {},
                   2},  // the report is written, but a log without routes compared nothing
        ReportCase{"EmptyVrfOnlyInLog2", GlobalTable({kConnected}),
                   GlobalTable({kConnected}) + VrfTable("EMPTY", {}),
                   {"増>VRF:EMPTY", "", Differences(1)}},
        ReportCase{"RouteGainedAPath",
                   GlobalTable({"O    10.2.0.0/16 [110/20] via 10.1.1.2, 00:00:12, Ethernet0"}),
                   GlobalTable({"O    10.2.0.0/16 [110/20] via 10.1.1.2, 00:01:12, Ethernet0",
                                "                 [110/20] via 10.1.1.3, 00:01:12, Ethernet1"}),
                   {"前< O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0",
                    "後> O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0",
                    "後>                  [110/20] via 10.1.1.3, Ethernet1", "", Differences(1)}},
        ReportCase{"MaskWrittenOutMatchesInheritedMask", GlobalTable({kConnected}),
                   GlobalTable({"     10.0.0.0/24 is subnetted, 1 subnets",
                                "C    10.1.1.0 is directly connected, Ethernet0"}),
                   {"同等です"}},
        ReportCase{"MaskWrittenOutAgainstAnotherInheritedMask", GlobalTable({kConnected}),
                   GlobalTable({"     10.0.0.0/25 is subnetted, 1 subnets",
                                "C    10.1.1.0 is directly connected, Ethernet0"}),
                   {"前< " + kConnected, "後> C    10.1.1.0 is directly connected, Ethernet0", "",
                    Differences(1)}},
        ReportCase{"OneMoreSpaceAfterRouteCode", GlobalTable({kConnected}),
                   GlobalTable({"C     10.1.1.0/24 is directly connected, Ethernet0"}), {"同等です"}},
        ReportCase{"TwoMoreSpacesAfterRouteCode", GlobalTable({kConnected}),
                   GlobalTable({"C      10.1.1.0/24 is directly connected, Ethernet0"}),
                   {"前< " + kConnected, "後> C      10.1.1.0/24 is directly connected, Ethernet0", "",
                    Differences(1)}},
        ReportCase{"MaskAndSpaceTogetherDoNotMatch", GlobalTable({kConnected}),
                   GlobalTable({"     10.0.0.0/24 is subnetted, 1 subnets",
                                "C     10.1.1.0 is directly connected, Ethernet0"}),
                   {"前< " + kConnected, "後> C     10.1.1.0 is directly connected, Ethernet0", "",
                    Differences(1)}},
        ReportCase{"SameDestinationOtherMaskIsAChangedPair",
                   GlobalTable({"S    10.0.0.0/8 [1/0] via 10.1.1.9"}),
                   GlobalTable({"S    10.0.0.0/24 [1/0] via 10.1.1.9"}),
                   {"前< S    10.0.0.0/8 [1/0] via 10.1.1.9", "後> S    10.0.0.0/24 [1/0] via 10.1.1.9", "",
                    Differences(1)}},
        ReportCase{"Log2TableEndsFirst",
                   VrfTable("A", {"C    10.1.0.0/24 is directly connected, E0",
                                  "S    10.2.0.0/24 [1/0] via 10.1.0.9", "S    10.3.0.0/24 [1/0] via 10.1.0.9"}) +
                       VrfTable("B", {"S    10.2.5.0/24 [1/0] via 10.1.0.9"}),
                   VrfTable("A", {"C    10.1.0.0/24 is directly connected, E0"}) +
                       VrfTable("B", {"S    10.2.5.0/24 [1/0] via 10.1.0.9"}),
                   {"VRF:A", "", "減< S    10.2.0.0/24 [1/0] via 10.1.0.9", "",
                    "減< S    10.3.0.0/24 [1/0] via 10.1.0.9", "", Differences(2)}},
        ReportCase{"LastRouteIsTheLastLineOfTheLog", std::string(kGateway) + "\n" + kStatic9,
                   std::string(kGateway) + "\n" + kStatic8,
                   {"前< " + kStatic9, "後> " + kStatic8, "", Differences(1)}}),
    CaseName);

}  // namespace
}  // namespace tess::testing
