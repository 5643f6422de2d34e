// Many runs of the built binary at once over one settings file, and runs
// with nowhere to store settings: the stored settings are only ever read.
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>

#include "child_process.h"
#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLog = CrLf({"Gateway of last resort is not set", "C    10.2.0.0/24 is directly connected, E1",
                               "C    10.1.0.0/24 is directly connected, E0"});

// A run of `args` in `cwd` whose environment holds exactly `env` (a value
// sets a variable, nullopt keeps it out).
ChildSpec Exactly(const std::vector<std::string>& args, const std::string& cwd,
                  const std::map<std::string, std::optional<std::string>>& env) {
  ChildSpec spec;
  spec.Args = args;
  spec.Cwd = cwd;
  spec.Env = env;
  spec.Env.emplace("XDG_CONFIG_HOME", std::nullopt);
  spec.EmptyEnvironment = true;
  return spec;
}

int ExitCode(const ChildSpec& spec) { return Child(spec).Wait().ExitCode; }

// Sorts, --order sorts and comparisons, 120 at once (each on logs of its
// own: runs on one log share its temporary names), with stored values that
// are not the defaults and not normalized: the settings file is read by
// every run and written by none.
TEST(ConcurrentRuns, LeaveTheSettingsFileByteIdentical) {
  ScratchDir dir, config;
  fs::create_directories(config.File("tessaline"));
  const std::string ini = config.File("tessaline/Tessaline.ini");
  const std::string stored =
      "; written by hand\n[Tessaline]\r\nSortExt1=s1\r\nSortExt2=.s2\r\nDiffExt=.cmp\r\nEnableOpt=1\r\nStoreSort=0.4\r\n"
      "[Other]\nKey=value";
  WriteFile(ini, stored);
  const std::map<std::string, std::optional<std::string>> env = {{"XDG_CONFIG_HOME", config.path()},
                                                                  {"PATH", "/usr/bin:/bin"}};
  std::deque<Child> runs;
  for (int i = 0; i < 40; ++i) {
    const std::string n = std::to_string(i);
    for (const std::string& name : {"r" + n, "h" + n, "c" + n}) WriteFile(dir.File(name + ".log"), kLog);
    runs.emplace_back(Exactly({"r" + n + ".log"}, dir.path(), env));
    runs.emplace_back(Exactly({"--order", "hop", "h" + n + ".log"}, dir.path(), env));
    runs.emplace_back(Exactly({"c" + n + ".log", "c" + n + ".log"}, dir.path(), env));
  }
  int failures = 0;
  for (Child& run : runs) failures += run.Wait().ExitCode == 0 ? 0 : 1;
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(ReadFile(ini), stored);
  EXPECT_EQ(ListFolder(config.File("tessaline")), std::vector<std::string>{"Tessaline.ini"});
  EXPECT_EQ(ReadFile(dir.File("r7.s1")), CrLf({"Gateway of last resort is not set",
                                               "C    10.1.0.0/24 is directly connected, E0",
                                               "C    10.2.0.0/24 is directly connected, E1"}));
  EXPECT_TRUE(Exists(dir.File("c7.cmp")));
  EXPECT_FALSE(Exists(dir.File("c7.s2")));  // StoreSort 0.4 is 0: not kept
}

// Without HOME and XDG_CONFIG_HOME there is no place for settings: the runs
// use the defaults and create nothing but their results.
TEST(ConcurrentRuns, WithoutAnyHomeTheDefaultsApplyAndNothingIsStored) {
  ScratchDir dir;
  WriteFile(dir.File("a.log"), kLog);
  WriteFile(dir.File("b.log"), kLog);
  const std::map<std::string, std::optional<std::string>> env = {{"PATH", "/usr/bin:/bin"}};
  EXPECT_EQ(ExitCode(Exactly({"a.log"}, dir.path(), env)), 0);
  EXPECT_EQ(ExitCode(Exactly({"a.log", "b.log"}, dir.path(), env)), 0);
  EXPECT_EQ(ListFolder(dir.path()), (std::vector<std::string>{"a.log", "a.srt", "b.dif", "b.log"}));
}

// Settings writes that the system refuses (no file may grow: a full disk)
// leave no temporary file in the settings folder, however many a start makes.
TEST(ConcurrentRuns, RefusedSettingsWritesLeaveNothingBehind) {
  ScratchDir dir, config;
  WriteFile(dir.File("a.log"), kLog);
  ChildSpec spec;
  spec.Args = {"a.log"};
  spec.Cwd = dir.path();
  spec.ConfigHome = config.path();
  spec.FileSizeLimit = 0;
  const ChildEnd end = Child(spec).Wait();
  EXPECT_EQ(end.ExitCode, 2) << end.Err;  // the sort result cannot be written either
  ASSERT_TRUE(Exists(config.File("tessaline")));  // the writes were tried
  for (const std::string& name : ListFolder(config.File("tessaline"))) {
    EXPECT_TRUE(name == "Tessaline.ini" || name == "Tessaline.ini.lock") << name;
  }
  EXPECT_EQ(ListFolder(dir.path()), std::vector<std::string>{"a.log"});
}

TEST(ConcurrentRuns, HelpAndVersionCreateNothing) {
  ScratchDir dir, config;
  for (const char* option : {"--help", "--version"}) {
    EXPECT_EQ(ExitCode(Exactly({option}, dir.path(), {{"XDG_CONFIG_HOME", config.path()}})), 0);
    EXPECT_EQ(ExitCode(Exactly({option}, dir.path(), {{"HOME", config.path()}})), 0);
  }
  EXPECT_TRUE(ListFolder(config.path()).empty());
  EXPECT_TRUE(ListFolder(dir.path()).empty());
}

}  // namespace
}  // namespace tess::testing
