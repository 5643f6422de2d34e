// --junit through the binary: written after the comparisons of folders or
// of two logs, refused before any run when it would replace a log or an
// output, a failed run when it cannot be written.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const std::string kRoute0 = "C    10.1.0.0/24 is directly connected, Ethernet0";
const std::string kRoute1 = "C    10.1.0.0/24 is directly connected, Ethernet1";

class Junit : public ::testing::Test {
 protected:
  RunResult Run(const std::vector<std::string>& args) { return RunTessaline(args, work.path(), config.path()); }
  bool HasSuite(const std::string& counts) {
    return ReadFile(work.File("j.xml")).find("<testsuite name=\"tessaline\" " + counts) != std::string::npos;
  }
  ScratchDir work, config;
};

// Each pair a test case (the document itself: tests/cli/junit_report_test.cpp).
TEST_F(Junit, FolderComparisonWritesEveryPair) {
  fs::copy(SourceDir() + "/examples/change", work.File("change"), fs::copy_options::recursive);
  const RunResult r = Run({"--junit", "j.xml", "change/before", "change/after"});
  EXPECT_TRUE(HasSuite("tests=\"4\" failures=\"3\" errors=\"0\"")) << r.err;
}

// Written over an older file; one that cannot be written fails the run,
// whose report and summary line stand.
TEST_F(Junit, SingleComparisonWritesItOrFails) {
  WriteFile(work.File("before.log"), GlobalTable({kRoute0}));
  WriteFile(work.File("after.log"), GlobalTable({kRoute1}));
  WriteFile(work.File("j.xml"), "an older document");
  fs::create_directories(work.File("taken"));
  const std::pair<std::string, std::string> cases[] = {
      {"j.xml", ""}, {"missing/j.xml", "No such file or directory"}, {"taken", "Is a directory"}};
  for (const auto& [junit, reason] : cases) {
    const RunResult r = Run({"before.log", "after.log", "--junit=" + junit});
    EXPECT_EQ(r.exitCode, reason.empty() ? 1 : 2);
    EXPECT_EQ(r.out, "after.log  1 difference\n");
    EXPECT_EQ(r.err, reason.empty() ? "" : "tessaline: " + junit + ": " + reason + "\n");
    EXPECT_EQ(work.List(), (std::vector<std::string>{"after.dif", "after.log", "before.log", "j.xml", "taken"}));
  }
  EXPECT_TRUE(HasSuite("tests=\"1\" failures=\"1\" errors=\"0\""));
  EXPECT_TRUE(ListFolder(work.File("taken")).empty());
}

TEST_F(Junit, RefusedBeforeAnyRunWhenItWouldReplaceALogOrAnOutput) {
  WriteSettings(config.path(), {"SortExt1=.srt", "SortExt2=.srt", "DiffExt=.dif", "EnableOpt=0", "StoreSort=1"});
  for (const char* folder : {"a", "b"}) fs::create_directories(work.File(folder));
  for (const char* log : {"before.log", "after.log", "b/x.log", "b/y.log", "a/x.log"}) {
    WriteFile(work.File(log), GlobalTable({kRoute0}));
  }
  const std::vector<std::string> cases[] = {
      {"a/../before.log", "before.log", "after.log"}, {"after.dif", "before.log", "after.log"},
      {"before.srt", "before.log", "after.log"},  // a kept sort result
      {"b/y.log", "b", "a"},                      // a log in one folder only
  };
  for (const auto& c : cases) {
    const RunResult r = Run({"--junit", c[0], c[1], c[2]});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.err, "tessaline: " + c[0] + ": the JUnit file would overwrite a log or an output of the run\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(work.List(), (std::vector<std::string>{"a", "after.log", "b", "before.log"}));
    EXPECT_EQ(ListFolder(work.File("a")), std::vector<std::string>{"x.log"});
  }
}

}  // namespace
}  // namespace tess::testing
