// A comparison as one call: the options both sorts run with, all or nothing
// on the user's files, and what it tells its caller while it runs.
#include "app/compare_logs.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <thread>

#include "app/output_names.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

const std::string kOspf = "O    10.2.1.0/24 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kStatic = "S    10.9.0.0/16 [1/0] via 10.1.1.1";

class CompareLogsTest : public ::testing::Test {
 protected:
  // Both logs hold the same two routes (in mask order, the reverse of
  // destination order); the second log's OSPF route is younger.
  void SetUp() override {
    WriteFile(dir.File("before.log"), "Gateway of last resort is not set\n" + kStatic + "\n" + kOspf + "\n");
    WriteFile(dir.File("after.log"), "Gateway of last resort is not set\n" + kStatic + "\n" +
                                         "O    10.2.1.0/24 [110/20] via 10.1.1.2, 00:00:03, Ethernet0\n");
  }
  CompareRequest Request() const {
    CompareRequest request;
    request.Before = FilesOfLog(dir.File("before.log"), 1, ".srt");
    request.After = FilesOfLog(dir.File("after.log"), 2, ".srt");
    request.ReportPath = dir.File("after.dif");
    return request;
  }
  ScratchDir dir;
};

TEST_F(CompareLogsTest, SortsByDestinationWithoutTimeWhateverTheUsersFilter) {
  const struct {
    const char* name;
    std::vector<FilterItem> filter;
    std::string route1, route2;  // the two routes as both sort results hold them
  } cases[] = {
      {"All", {FilterItem::All}, "O    10.2.1.0/24 [110/20] via 10.1.1.2, Ethernet0", kStatic},
      {"Interface", {FilterItem::Interface}, "O    10.2.1.0/24 [110/20] via 10.1.1.2", kStatic},
      {"DestinationOnly", {FilterItem::DestinationOnly}, "-    10.2.1.0", "-    10.9.0.0"},
      {"TimeAndCost", {FilterItem::Time, FilterItem::Cost}, "O    10.2.1.0/24 via 10.1.1.2, Ethernet0",
       "S    10.9.0.0/16 via 10.1.1.1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    CompareRequest request = Request();
    request.Filter = InfoFilter();
    for (FilterItem item : c.filter) request.Filter.Tick(item);
    const CompareOutcome outcome = CompareLogs(request);
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
    EXPECT_EQ(outcome.DifferenceCount, 0);
    for (const char* srt : {"before.srt", "after.srt"}) {
      EXPECT_EQ(ReadFile(dir.File(srt)), CrLf({"Gateway of last resort is not set", c.route1, c.route2}));
    }
  }
}

TEST_F(CompareLogsTest, SortResultsReachTheirNamesOnlyWhenKept) {
  CompareRequest request = Request();
  WriteFile(dir.File("before.srt"), "older result\r\n");
  request.KeepSortResults = false;
  ASSERT_TRUE(CompareLogs(request).status.ok());
  EXPECT_EQ(ReadFile(dir.File("before.srt")), "older result\r\n");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"after.dif", "after.log", "before.log", "before.srt"}));
  request.KeepSortResults = true;
  ASSERT_TRUE(CompareLogs(request).status.ok());
  EXPECT_NE(ReadFile(dir.File("before.srt")), "older result\r\n");
  EXPECT_TRUE(Exists(dir.File("after.srt")));
}

// Each failure leaves the older sort results and report as they were, and
// nothing else behind.
TEST_F(CompareLogsTest, AFailedComparisonChangesNoFileOfTheUsers) {
  const struct {
    const char* name;
    std::function<void(CompareRequest&)> spoil;
    std::string failingFile;
  } cases[] = {
      {"SecondLogMissing", [&](CompareRequest& r) { r.After.LogPath = dir.File("missing.log"); },
       dir.File("missing.log")},
      {"SecondLogEmptyName", [&](CompareRequest& r) { r.After.LogPath = ""; }, ""},
      {"ReportIsAFolder", [&](CompareRequest& r) { r.ReportPath = dir.File("folder"); }, dir.File("folder")},
      {"ReportFolderMissing", [&](CompareRequest& r) { r.ReportPath = dir.File("none/after.dif"); },
       dir.File("none/after.dif")},
      {"ReportOverAnInput", [&](CompareRequest& r) { r.ReportPath = dir.File("before.log"); },
       dir.File("before.log")},
  };
  ::mkdir(dir.File("folder").c_str(), 0755);
  for (const auto& c : cases) {
    for (bool keep : {false, true}) {
      SCOPED_TRACE(std::string(c.name) + (keep ? " kept" : " not kept"));
      WriteFile(dir.File("before.srt"), "older result 1\r\n");
      WriteFile(dir.File("after.srt"), "older result 2\r\n");
      WriteFile(dir.File("after.dif"), "older report\r\n");
      const std::vector<std::string> before = dir.List();
      CompareRequest request = Request();
      request.KeepSortResults = keep;
      c.spoil(request);
      const CompareOutcome outcome = CompareLogs(request);
      EXPECT_FALSE(outcome.status.ok());
      EXPECT_EQ(outcome.status.file(), c.failingFile);
      EXPECT_EQ(dir.List(), before);
      EXPECT_EQ(ReadFile(dir.File("before.srt")), "older result 1\r\n");
      EXPECT_EQ(ReadFile(dir.File("after.srt")), "older result 2\r\n");
      EXPECT_EQ(ReadFile(dir.File("after.dif")), "older report\r\n");
    }
  }
}

// A kept sort result that cannot take its name when the report is ready
// (a folder took it meanwhile): the run fails and the report is not
// published, so no report stands without the results it describes.
TEST_F(CompareLogsTest, AResultThatCannotBePublishedKeepsTheReportBack) {
  WriteFile(dir.File("after.dif"), "older report\r\n");
  CompareProgress progress;
  progress.SortFinished = [&](Side side) {
    if (side == Side::After) ::mkdir(dir.File("after.srt").c_str(), 0755);
  };
  CompareRequest request = Request();
  request.KeepSortResults = true;
  const CompareOutcome outcome = CompareLogs(request, progress);
  EXPECT_EQ(outcome.status.file(), dir.File("after.srt"));
  EXPECT_EQ(ReadFile(dir.File("after.dif")), "older report\r\n");
}

TEST_F(CompareLogsTest, AStoppedComparisonFailsAndLeavesNothing) {
  const std::vector<std::string> files = dir.List();
  const std::atomic<bool> stop{true};
  CompareRequest request = Request();
  request.Stop = &stop;
  const CompareOutcome outcome = CompareLogs(request);
  EXPECT_EQ(outcome.status.reason(), "the run was stopped");
  EXPECT_EQ(dir.List(), files);
}

TEST_F(CompareLogsTest, ProgressNamesBothSortsOnTheCallersThreadAndCountsBothLogs) {
  std::string seen;
  CompareProgress progress;
  const std::thread::id caller = std::this_thread::get_id();
  progress.SortStarted = [&](Side side) {
    seen += "<" + std::to_string(SlotNumber(side));
    EXPECT_EQ(std::this_thread::get_id(), caller);
  };
  progress.SortFinished = [&](Side side) {
    seen += std::to_string(SlotNumber(side)) + ">";
    EXPECT_EQ(std::this_thread::get_id(), caller);
  };
  // The bytes read of both logs add up to their sizes.
  std::atomic<int64_t> read{0};
  CompareRequest request = Request();
  request.BytesRead = &read;
  EXPECT_TRUE(CompareLogs(request, progress).status.ok());
  EXPECT_EQ(seen, "<1<21>2>");
  EXPECT_EQ(read, static_cast<int64_t>(ReadFile(dir.File("before.log")).size() +
                                       ReadFile(dir.File("after.log")).size()));
  seen.clear();
  const std::vector<std::string> files = dir.List();
  CompareRequest broken = Request();
  broken.After.TempBase = dir.File("none/after.(2)");  // its temporary file cannot be written
  const CompareOutcome outcome = CompareLogs(broken, progress);
  EXPECT_EQ(outcome.status.file(), dir.File("none/after.(2)"));
  EXPECT_EQ(seen, "<1<21>2>");
  EXPECT_EQ(dir.List(), files);
}

}  // namespace
}  // namespace tess
