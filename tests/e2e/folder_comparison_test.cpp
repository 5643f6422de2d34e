// Folders of captures compared by the built binary: the summary, the exit
// status, the same reports as single runs whatever the number of jobs, the
// JSON document against the report files, and the refusals.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>

#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

std::string Log(const std::vector<std::string>& routes, const std::string& vrfRoute = "") {
  std::vector<std::string> lines = {"R1#show ip route", "Gateway of last resort is not set"};
  lines.insert(lines.end(), routes.begin(), routes.end());
  if (!vrfRoute.empty()) {
    lines.insert(lines.end(), {"Routing Table: BLUE", "Gateway of last resort is not set", vrfRoute});
  }
  return CrLf(lines);
}

const std::string kOspf = "O    10.2.0.0/16 [110/20] via 10.0.0.1, 00:01:00, Ethernet0";
const std::string kOspfLater = "O    10.2.0.0/16 [110/20] via 10.0.0.1, 00:09:00, Ethernet0";
const std::string kOspfMoved = "O    10.2.0.0/16 [110/20] via 10.0.0.5, 00:09:00, Ethernet1";
const std::string kStatic = "S    10.9.0.0/16 [1/0] via 10.0.0.9";
const std::string kBlue = "C    172.16.1.0/24 is directly connected, Vlan1";

// before/ and after/ with an equivalent, a changed, a one-sided each way,
// and a failing pair (its report's name is taken by a folder), plus files
// that are no logs.
class Folders : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.File("before"));
    fs::create_directories(dir.File("after/d.dif"));
    WriteFile(dir.File("before/a.log"), Log({kOspf, kStatic}));
    WriteFile(dir.File("after/a.log"), Log({kStatic, kOspfLater}));
    WriteFile(dir.File("before/b.log"), Log({kOspf}, kBlue));
    WriteFile(dir.File("after/b.log"), Log({kOspfMoved, kStatic}));
    WriteFile(dir.File("before/c.log"), Log({kStatic}));
    WriteFile(dir.File("after/e.log"), Log({kStatic}));
    WriteFile(dir.File("before/d.log"), Log({kStatic}));
    WriteFile(dir.File("after/d.log"), Log({kStatic}));
    // No logs: hidden, a leftover temporary file, an earlier report and result, a subfolder.
    for (const char* name : {".hidden", "x.(1)", "old.dif", "old.srt"}) {
      WriteFile(dir.File(std::string("before/") + name), "x");
    }
    fs::create_directories(dir.File("before/sub"));
  }
  RunResult Run(const std::vector<std::string>& args) { return RunTessaline(args, dir.path(), config.path()); }
  // Every report, by name.
  std::map<std::string, std::string> Reports() const {
    std::map<std::string, std::string> reports;
    for (const std::string& name : ListFolder(dir.File("after"))) {
      if (name.ends_with(".dif") && fs::is_regular_file(dir.File("after/" + name))) {
        reports[name] = ReadFile(dir.File("after/" + name));
      }
    }
    return reports;
  }
  ScratchDir dir, config;
};

TEST_F(Folders, SummaryNamesEachPairAndTheExitStatusTheWorst) {
  const RunResult r = Run({"-j", "1", "before/", "after"});
  EXPECT_EQ(r.exitCode, 2) << r.err;  // d.log failed
  EXPECT_EQ(r.out,
            "a.log  same\n"
            "b.log  3 differences\n"
            "c.log  only in before/\n"
            "d.log  failed: after/d.dif: Is a directory\n"
            "e.log  only in after\n"
            "5 pairs: 1 same, 1 differ, 2 one-sided, 1 failed\n");
  EXPECT_EQ(r.err, "");  // no progress line when standard error is no terminal
  fs::remove(dir.File("after/d.dif"));
  EXPECT_EQ(Run({"before", "after"}).exitCode, 1);
  // Equivalent pairs and names in one folder only: still not all the same.
  fs::remove(dir.File("before/b.log"));
  fs::remove(dir.File("after/b.log"));
  EXPECT_EQ(Run({"before", "after"}).exitCode, 1);
  fs::remove(dir.File("after/e.log"));
  EXPECT_EQ(Run({"before", "after"}).exitCode, 1);
  fs::remove(dir.File("before/c.log"));
  EXPECT_EQ(Run({"before", "after"}).exitCode, 0);
}

// Each pair's report is byte for byte what the single comparison writes;
// any number of jobs gives the same output, reports and status.
TEST_F(Folders, SameReportsAsSingleRunsForAnyNumberOfJobs) {
  const RunResult one = Run({"-j", "1", "before", "after"});
  const auto reports = Reports();
  ASSERT_EQ(reports.size(), 2u);
  for (const char* jobs : {"4", "2"}) {
    for (const auto& [name, text] : reports) fs::remove(dir.File("after/" + name));
    const RunResult many = Run({"--jobs=" + std::string(jobs), "before", "after"});
    EXPECT_EQ(many.out, one.out);
    EXPECT_EQ(many.exitCode, one.exitCode);
    EXPECT_EQ(Reports(), reports);
  }
  for (const char* name : {"a", "b"}) {
    const std::string report = ReadFile(dir.File(std::string("after/") + name + ".dif"));
    Run({std::string("before/") + name + ".log", std::string("after/") + name + ".log"});
    EXPECT_EQ(ReadFile(dir.File(std::string("after/") + name + ".dif")), report) << name;
  }
}

// The document holds what the reports hold: counts, tables, and each
// difference with its lines as the report shows them.
TEST_F(Folders, JsonMatchesTheReports) {
  // A failed pair: its error as the summary gives it, no report, no count.
  const json failed = json::parse(Run({"--json", "before", "after"}).out)["pairs"][3];
  EXPECT_EQ(failed["verdict"], "failed");
  EXPECT_EQ(failed["error"], "after/d.dif: Is a directory");
  EXPECT_EQ(failed["report"], nullptr);
  EXPECT_EQ(failed["difference_count"], 0);
  fs::remove(dir.File("after/d.dif"));
  const RunResult r = Run({"--json", "before", "after"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const json doc = json::parse(r.out);
  EXPECT_EQ(doc["summary"], json::parse(R"({"pairs": 5, "same": 2, "different": 1, "one_sided": 2, "failed": 0})"));
  const json& b = doc["pairs"][1];
  EXPECT_EQ(b["name"], "b.log");
  EXPECT_EQ(b["before"], "before/b.log");
  EXPECT_EQ(b["verdict"], "different");
  EXPECT_EQ(b["report"], "after/b.dif");
  EXPECT_EQ(b["tables"], json::parse(R"J([{"name": "(不明)", "status": "compared"},
      {"name": "(Default Instance)", "status": "compared"}, {"name": "BLUE", "status": "gone"}])J"));
  // The report's lines, rebuilt from the document.
  std::vector<std::string> lines = {"前: before/b.log", "後: after/b.log", ""};
  for (const json& d : b["differences"]) {
    if (d["whole_table"]) {
      lines.push_back("減<VRF:" + d["table"].get<std::string>());
      for (const json& line : d["before"]) lines.push_back("  < " + line.get<std::string>());
    } else {
      const std::string kind = d["kind"];
      for (const json& line : d["before"]) lines.push_back((kind == "gone" ? "減< " : "前< ") + line.get<std::string>());
      for (const json& line : d["after"]) lines.push_back((kind == "new" ? "増> " : "後> ") + line.get<std::string>());
    }
    lines.push_back("");
  }
  lines.push_back(" " + std::to_string(b["difference_count"].get<int>()) + " の違いがあります");
  EXPECT_EQ(CrLf(lines), ReadFile(dir.File("after/b.dif")));
  EXPECT_EQ(b["difference_count"], b["differences"].size());
  EXPECT_EQ(doc["pairs"][2]["verdict"], "only-before");
  EXPECT_EQ(doc["pairs"][2]["report"], nullptr);
  EXPECT_EQ(doc["pairs"][3]["verdict"], "same");
  // An equivalent pair has its report ("同等です") like any compared pair.
  EXPECT_EQ(doc["pairs"][3]["report"], "after/d.dif");
  EXPECT_TRUE(ReadFile(dir.File("after/d.dif")).ends_with("同等です\r\n"));
}

// A single comparison gives the same document with one pair; Shift-JIS
// text and bytes valid in no encoding arrive as UTF-8.
TEST_F(Folders, JsonOfOneComparisonIsUtf8) {
  WriteFile(dir.File("s1.log"), Log({"C    10.1.1.0/24 is directly connected, \x83\x43\x81\x5b\x83\x54"}));
  WriteFile(dir.File("s2.log"), Log({"C    10.1.1.0/24 is directly connected, \x83\x43\x81\x5b"}));
  WriteFile(dir.File("x.log"), Log({"C    10.1.1.0/24 is directly connected, \x83\x43\xff"}));
  const RunResult plain = Run({"s1.log", "s2.log"});
  const std::string report = ReadFile(dir.File("s2.dif"));
  RunResult r = Run({"--json", "s1.log", "s2.log"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  // The same report and status as without --json, which prints the
  // summary line; with it the document alone (it parses below).
  EXPECT_EQ(plain.exitCode, r.exitCode);
  EXPECT_EQ(plain.out, "s2.log  1 difference\n");
  EXPECT_EQ(ReadFile(dir.File("s2.dif")), report);
  json doc = json::parse(r.out);
  ASSERT_EQ(doc["pairs"].size(), 1u);
  EXPECT_EQ(doc["before_folder"], nullptr);
  EXPECT_EQ(doc["pairs"][0]["name"], "s2.log");
  EXPECT_EQ(doc["pairs"][0]["before"], "s1.log");
  EXPECT_EQ(doc["pairs"][0]["report"], "s2.dif");
  EXPECT_EQ(doc["summary"], json::parse(R"({"pairs": 1, "same": 0, "different": 1, "one_sided": 0, "failed": 0})"));
  const json& d = doc["pairs"][0]["differences"][0];
  EXPECT_EQ(d["before"][0], "C    10.1.1.0/24 is directly connected, イーサ");
  EXPECT_EQ(d["after"][0], "C    10.1.1.0/24 is directly connected, イー");
  // 0xFF is no CP932, so the report stays UTF-8 and the bytes that are no
  // UTF-8 become U+FFFD.
  r = Run({"--json", "s1.log", "x.log"});
  doc = json::parse(r.out);
  EXPECT_EQ(doc["pairs"][0]["differences"][0]["after"][0],
            "C    10.1.1.0/24 is directly connected, \xEF\xBF\xBD" "C\xEF\xBF\xBD");
}

TEST_F(Folders, CollidingOutputsAndMixedArgumentsAreRefusedBeforeAnyPairRuns) {
  WriteFile(dir.File("before/a.txt"), Log({kStatic}));
  WriteFile(dir.File("after/a.txt"), Log({kStatic}));
  const std::vector<std::string> before = ListFolder(dir.File("after"));
  RunResult r = Run({"before", "after"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tessaline: after/a.dif: the comparisons of a.log and a.txt would both write this file\n");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(ListFolder(dir.File("after")), before);
  r = Run({"before/a.log", "after"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tessaline: before/a.log: compare two logs or two folders, not a log with a folder\n");
}

// -o writes every output into one folder, so logs on a read-only share can
// be compared; the logs' folders stay as they were.
TEST_F(Folders, OutputFolderTakesEveryOutput) {
  fs::remove(dir.File("after/d.dif"));
  fs::create_directories(dir.File("out"));
  const std::vector<std::string> beforeFiles = ListFolder(dir.File("before"));
  const std::vector<std::string> afterFiles = ListFolder(dir.File("after"));
  const RunResult r = Run({"-o", "out", "before", "after"});
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(ListFolder(dir.File("out")), (std::vector<std::string>{"a.dif", "b.dif", "d.dif"}));
  EXPECT_EQ(ListFolder(dir.File("before")), beforeFiles);
  EXPECT_EQ(ListFolder(dir.File("after")), afterFiles);
  EXPECT_EQ(Run({"--output-dir=out", "before/a.log"}).exitCode, 0);
  EXPECT_TRUE(Exists(dir.File("out/a.srt")));
  EXPECT_EQ(Run({"-o", "missing", "before/a.log"}).err, "tessaline: missing: the output folder does not exist\n");
}

// A log nobody may read fails its pair only; the other pairs run as ever.
TEST_F(Folders, AnUnreadableLogFailsItsPairOnly) {
  fs::remove(dir.File("after/d.dif"));
  WriteFile(dir.File("after/c.log"), Log({kStatic}));
  dir.OpenToEveryone();
  config.OpenToEveryone();
  for (const char* folder : {"before", "after"}) {
    fs::permissions(dir.File(folder), fs::perms(0777));
    for (const auto& e : fs::directory_iterator(dir.File(folder))) {
      if (e.is_regular_file()) fs::permissions(e.path(), fs::perms(0644));
    }
  }
  fs::permissions(dir.File("before/c.log"), fs::perms::none);
  const RunResult r = RunTessalineAsNobody({"-j", "3", "before", "after"}, dir.path(), config.path());
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_EQ(r.out,
            "a.log  same\n"
            "b.log  3 differences\n"
            "c.log  failed: before/c.log: Permission denied\n"
            "d.log  same\n"
            "e.log  only in after\n"
            "5 pairs: 2 same, 1 differ, 1 one-sided, 1 failed\n");
  EXPECT_FALSE(Exists(dir.File("after/c.dif")));
}

// The text between `opening` and the next code fence in a document.
std::string Quoted(const std::string& document, const std::string& opening) {
  const size_t start = document.find(opening);
  if (start == std::string::npos) return "";
  const size_t from = start + opening.size();
  return document.substr(from, document.find("```", from) - from);
}

// The change window of examples/change gives the summary the README shows
// and the pairs docs/json.md shows.
TEST(DocumentedExamples, ChangeWindowGivesTheSummaryAndJsonTheDocumentsShow) {
  ScratchDir dir, config;
  fs::create_directories(dir.File("examples"));
  fs::copy(SourceDir() + "/examples/change", dir.File("examples/change"), fs::copy_options::recursive);
  const std::vector<std::string> folders = {"examples/change/before", "examples/change/after"};
  const RunResult r = RunTessaline(folders, dir.path(), config.path());
  EXPECT_EQ(r.exitCode, 1) << r.err;
  const std::string summary = Quoted(ReadFile(SourceDir() + "/README.md"),
                                     "$ tessaline examples/change/before examples/change/after\n");
  ASSERT_FALSE(summary.empty());
  EXPECT_EQ(r.out, summary);

  const json example = json::parse(Quoted(ReadFile(SourceDir() + "/docs/json.md"), "```json\n"));
  const json doc = json::parse(RunTessaline({"--json", folders[0], folders[1]}, dir.path(), config.path()).out);
  EXPECT_EQ(doc["before_folder"], example["before_folder"]);
  EXPECT_EQ(doc["summary"], example["summary"]);
  for (const json& shown : example["pairs"]) {
    const auto got = std::find_if(doc["pairs"].begin(), doc["pairs"].end(),
                                  [&](const json& pair) { return pair["name"] == shown["name"]; });
    ASSERT_NE(got, doc["pairs"].end()) << shown["name"];
    EXPECT_EQ(*got, shown);
  }
}

}  // namespace
}  // namespace tess::testing
