// The comparison as a batch run: kept sort results, the batch options,
// refusals before any file is touched, failures that put everything back,
// and the encoding of the report's own texts.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

const std::string kOspf0 = "O    10.2.0.0/16 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kOspf1 = "O    10.2.0.0/16 [110/20] via 10.1.1.2, 00:05:00, Ethernet1";

// Every key stored, so that loading them writes nothing new.
std::vector<std::string> StoredSettings(const std::string& diffExt = ".dif", const char* storeSort = "0") {
  return {"SortExt1=.srt", "SortExt2=.srt", "DiffExt=" + diffExt, "EnableOpt=0", std::string("StoreSort=") + storeSort};
}

// (A first start keeps no sort results: see the example logs' test.)
TEST(CompareBatch, StoreSortDecidesWhetherSortResultsStay) {
  for (const bool store : {false, true}) {
    const Comparison r = CompareLogs(GlobalTable({kOspf0}), GlobalTable({kOspf1}), {},
                                     {store ? "StoreSort=1" : "StoreSort=0"});
    EXPECT_EQ(r.exitCode, 1) << r.err;
    const std::vector<std::string> kept = {"after.dif", "after.log", "after.srt", "before.log", "before.srt"},
                                    dropped = {"after.dif", "after.log", "before.log"};
    EXPECT_EQ(r.files, store ? kept : dropped);
  }
}

TEST(CompareBatch, FilterIsTheFilterTheComparisonForces) {
  const ReportCase cases[] = {
      {"NoFilter", GlobalTable({kOspf0}), GlobalTable({kOspf1}),
       {"前< O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet0", "後> O    10.2.0.0/16 [110/20] via 10.1.1.2, Ethernet1",
        "", Differences(1)}},
      {"Interface", GlobalTable({kOspf0}), GlobalTable({kOspf1}), {"同等です"}, {"--filter", "interface"}},
      {"DestinationOnly", GlobalTable({kOspf0}), GlobalTable({kOspf1}), {"同等です"}, {"--filter", "dest"}},
      {"DestinationOnlyStillSeesDestinations", GlobalTable({kOspf0}),
       GlobalTable({"O    10.3.0.0/16 [110/20] via 10.1.1.2, 00:05:00, Ethernet0"}),
       {"減< -    10.2.0.0", "", "増> -    10.3.0.0", "", Differences(2)}, {"--filter=6"}},
      {"DestinationAndMask", GlobalTable({kOspf0}),
       GlobalTable({"O    10.2.0.0/24 [110/20] via 10.1.1.7, 00:05:00, Ethernet0"}),
       {"前< -    10.2.0.0/16", "後> -    10.2.0.0/24", "", Differences(1)}, {"--filter", "dest-mask"}},
  };
  for (const ReportCase& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectReport(c);
  }
}

// The options of one run are not stored; --order has no place in a comparison.
TEST(CompareBatch, OptionsOfOneRun) {
  ScratchDir work, config;
  WriteSettings(config.path(), StoredSettings());
  const std::string stored = ReadSettings(config.path());
  WriteFile(work.File("before.log"), GlobalTable({kOspf0}));
  WriteFile(work.File("after.log"), GlobalTable({kOspf1}));
  const RunResult refused = RunTessaline({"--order", "hop", "before.log", "after.log"}, work.path(), config.path());
  EXPECT_EQ(refused.exitCode, 2);
  EXPECT_NE(refused.err.find("--order"), std::string::npos) << refused.err;
  EXPECT_EQ(work.List(), (std::vector<std::string>{"after.log", "before.log"}));
  const RunResult r = RunTessaline({"--filter", "cost", "before.log", "after.log"}, work.path(), config.path());
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(ReadSettings(config.path()), stored);
}

// Each case: the logs' folder, the command line, the report's extension and
// the file the message must name. The sort results are kept.
TEST(CompareBatch, RefusesBeforeAnyFileIsTouched) {
  const struct {
    const char* name;
    std::vector<std::string> files, args;
    std::string diffExt, named;
  } cases[] = {
      {"SortResultsAreOneFile", {"a.log", "a.txt"}, {"a.log", "a.txt"}, ".dif", "a.srt"},
      {"ReportIsLog2", {"a.log", "b.dif"}, {"a.log", "b.dif"}, ".dif", "b.dif"},
      {"ReportResolvesToLog1", {"old.log", "new.log"}, {"old.log", "new.log"}, ".dif", "new.dif"},  // a link
      {"SortResultIsLog1", {"a.srt", "b.log"}, {"a.srt", "b.log"}, ".dif", "a.srt"},
      {"SortResult1IsLog2", {"a.log", "a.srt"}, {"a.log", "a.srt"}, ".dif", "a.srt"},
      {"ReportIsASortResult", {"before.log", "after.log"}, {"before.log", "after.log"}, ".srt", "after.srt"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir work, config;
    WriteSettings(config.path(), StoredSettings(c.diffExt, "1"));
    const std::string stored = ReadSettings(config.path());
    auto content = [](const std::string& f) { return GlobalTable({"C    10.1.1.0/24 is directly connected, " + f}); };
    for (const auto& f : c.files) WriteFile(work.File(f), content(f));
    if (c.named == "new.dif") std::filesystem::create_symlink("old.log", work.File("new.dif"));
    const std::vector<std::string> before = work.List();

    const RunResult r = RunTessaline(c.args, work.path(), config.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");  // no summary line: nothing ran
    EXPECT_EQ(r.err.rfind("tessaline: " + c.named + ": ", 0), 0u) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    EXPECT_EQ(work.List(), before);
    for (const auto& f : c.files) EXPECT_EQ(ReadFile(work.File(f)), content(f));
    EXPECT_EQ(ReadSettings(config.path()), stored);
  }
}

// Sort results that are not kept never reach their names, so two logs whose
// results would share a name can be compared.
TEST(CompareBatch, ResultsSharingANameAreFineWhenNotKept) {
  ScratchDir work, config;
  WriteSettings(config.path(), StoredSettings(".dif", "0"));
  WriteFile(work.File("a.log"), GlobalTable({kOspf0}));
  WriteFile(work.File("a.txt"), GlobalTable({kOspf0}));
  const RunResult r = RunTessaline({"a.log", "a.txt"}, work.path(), config.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "a.txt  same\n");  // the pair's line of the folder summary
  EXPECT_EQ(work.List(), (std::vector<std::string>{"a.dif", "a.log", "a.txt"}));
}

// A comparison that fails: the settings are as they were (the options it
// forces are never stored) and no file of the run is left.
TEST(CompareBatch, FailureLeavesTheSettingsAndNoFile) {
  const struct {
    const char* name;
    std::string log2, folder;  // log 2's name, and a folder made in the way
  } cases[] = {{"Log2Missing", "missing.log", ""},
               {"Log2IsAFolder", "after.log", "after.log"},
               {"ReportCannotBeWritten", "after.log", "after.dif"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ScratchDir work, config;
    WriteSettings(config.path(), StoredSettings());
    WriteFile(work.File("before.log"), GlobalTable({kOspf0}) + VrfTable("V", {kOspf1}));
    if (!c.folder.empty()) std::filesystem::create_directory(work.File(c.folder));
    if (c.log2 == "after.log" && c.folder != "after.log") {
      WriteFile(work.File("after.log"), GlobalTable({kOspf1}) + VrfTable("V", {kOspf0}));
    }
    const std::vector<std::string> before = work.List();
    const std::string stored = ReadSettings(config.path());

    const RunResult r = RunTessaline({"before.log", c.log2}, work.path(), config.path());
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");  // the failure is told on standard error only
    EXPECT_EQ(r.err.rfind("tessaline: ", 0), 0u) << r.err;
    EXPECT_EQ(ReadSettings(config.path()), stored);
    EXPECT_EQ(work.List(), before);
  }
}

// Shift-JIS bytes in a log give the report's own texts in CP932; route and
// table text passes through as it stands in the logs.
TEST(CompareBatch, ReportTextsFollowTheLogsEncoding) {
  const std::string sjisPrompt = "\x83\x8b\x81\x5b\x83\x5e#show ip route\n";  // "ルータ" in CP932
  const std::string route0 = "C    10.1.1.0/24 is directly connected, Ethernet0";
  const std::string route1 = "C    10.1.1.0/24 is directly connected, \x83\x43\x81\x5b\x83\x54";  // "イーサ"
  const std::string head = CrLf({"\x91\x4f: before.log", "\x8c\xe3: after.log", ""});  // "前: ", "後: "
  const std::string changed = CrLf({"\x91\x4f< " + route0, "\x8c\xe3> " + route1, "",  // "前< ", "後> "
                                    " 1 \x82\xcc\x88\xe1\x82\xa2\x82\xaa\x82\xa0\x82\xe8\x82\xdc\x82\xb7"});
  const std::string vrf = "\x89\x63\x8b\xc6";  // "営業"
  const struct {
    const char* name;
    std::string before, after, report;
  } cases[] = {
      {"ShiftJisLog1", sjisPrompt + GlobalTable({route0}), GlobalTable({route1}), head + changed},
      {"ShiftJisLog2", GlobalTable({route0}), sjisPrompt + GlobalTable({route0}),
       head + CrLf({"\x93\xaf\x93\x99\x82\xc5\x82\xb7"})},  // "同等です"
      {"ShiftJisVrfName", VrfTable(vrf, {route0}) + VrfTable("B", {}), VrfTable(vrf, {route1}) + VrfTable("B", {}),
       head + CrLf({"VRF:" + vrf, ""}) + changed},
      {"Utf8Logs", "ルータ#\n" + GlobalTable({route0}), "ルータ#\n" + GlobalTable({route0}), Report({"同等です"})},
      {"NeitherUtf8NorShiftJis", "\xff\xfe\n" + GlobalTable({route0}), sjisPrompt + GlobalTable({route0}),
       Report({"同等です"})},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Comparison r = CompareLogs(c.before, c.after);
    EXPECT_EQ(r.report, c.report) << r.err;
  }
}

}  // namespace
}  // namespace tess::testing
