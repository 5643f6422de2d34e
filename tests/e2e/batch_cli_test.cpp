// The batch command line of the built binary: options, exit codes, messages,
// and what a refused or failed run leaves on disk.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLog = CrLf({"Gateway of last resort is not set", "C    10.2.0.0/24 is directly connected, E1",
                               "C    10.1.0.0/24 is directly connected, E0"});
const std::string kSorted = CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected, E0",
                                  "C    10.2.0.0/24 is directly connected, E1"});

class Batch : public ::testing::Test {
 protected:
  RunResult Run(const std::vector<std::string>& args, const std::string& cwd = "") {
    return RunTessaline(args, cwd.empty() ? dir.path() : dir.File(cwd), config.path());
  }
  std::string Ini() const { return config.File("tessaline/Tessaline.ini"); }
  void StoreSettings(const std::string& body) {
    fs::create_directories(config.File("tessaline"));
    WriteFile(Ini(), "[Tessaline]\n" + body);
  }
  ScratchDir dir, config;
};

TEST_F(Batch, HelpAndVersionPrintAndSucceed) {
  for (const char* option : {"--help", "--version"}) {
    const RunResult r = Run({option});
    EXPECT_TRUE(r.exitCode == 0 && !r.out.empty() && r.err.empty()) << option << ": " << r.err;
  }
}

TEST_F(Batch, MalformedCommandLinesFailUntouched) {
  WriteFile(dir.File("r1.log"), kLog);
  WriteFile(dir.File("r2.log"), kLog);
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus", "r1.log"}, {"-x", "r1.log"}, {"--order", "6", "r1.log"}, {"--order", "depth", "r1.log"},
      {"r1.log", "--order"}, {"--filter", "0,1", "r1.log"}, {"--filter", "dest,time", "r1.log"},
      {"--filter", "5,6", "r1.log"}, {"--filter", "all,dest-mask", "r1.log"}, {"--filter", "7", "r1.log"},
      {"--filter=", "r1.log"}, {"--order", "1"}, {"-j", "0", "r1.log", "r2.log"},
      {"--order", "hop", "r1.log", "r2.log"},  // a comparison always sorts by destination
      {"r1.log", "r2.log", "r1.log"},          // a third name is refused, not ignored
      {"--jobs=-1", "r1.log", "r2.log"}, {"-j", "two", "r1.log", "r2.log"},
      {"--junit", "j.xml", "r1.log"},  // a sort has no test cases
      {"--junit=", "r1.log", "r2.log"}, {"r1.log", "r2.log", "--junit"},
      // The viewer takes a report and nothing else.
      {"--view", "r.dif", "r1.log"}, {"r1.log", "--view=r.dif"}, {"--view", "r.dif", "--json"},
      {"--view=r.dif", "--view=s.dif"}, {"--view=", "r1.log"}, {"--help", "--view"},
  };
  // One line naming the fault, then where the help is (GNU style).
  for (const auto& args : cases) {
    const RunResult r = Run(args);
    EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args[1];
    EXPECT_EQ(r.err.rfind("tessaline: ", 0), 0u) << r.err;
    EXPECT_TRUE(r.err.ends_with("\nTry 'tessaline --help'.\n")) << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 2) << r.err;
  }
  EXPECT_EQ(Run({"--bogus", "r1.log"}).err, "tessaline: unknown option '--bogus'\nTry 'tessaline --help'.\n");
  EXPECT_EQ(Run({"--view", "r.dif", "r1.log"}).err,
            "tessaline: --view takes a report and nothing else\nTry 'tessaline --help'.\n");
  EXPECT_EQ(Run({"r1.log", "r2.log", "c.log", "d.log"}).err,
            "tessaline: too many files: c.log\nTry 'tessaline --help'.\n");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.log", "r2.log"}));
}

TEST_F(Batch, OptionsApplyToOneRunAndAreNotStoredDoubleDashEndsThem) {
  WriteFile(dir.File("r1.log"), kLog);
  const RunResult r = Run({"r1.log", "--order=hop", "--filter", "interface,time"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("r1.srt")),
            CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected",
                  "C    10.2.0.0/24 is directly connected"}));
  // A first start stores the defaults, never the options of one run.
  EXPECT_EQ(ReadFile(Ini()),
            "[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=0\r\nStoreSort=0\r\n");
  // Without options the stored state rules: options off, so no filter, and
  // the stored extension. "--" ends the options. Settings already on disk
  // are read and nothing beside them is written, renamed or created.
  fs::remove(config.File("tessaline/Tessaline.ini.lock"));
  StoreSettings("SortExt1=out\nSortExt2=.srt\nDiffExt=dif\nEnableOpt=0.4\nStoreSort=1\n");
  const std::string stored = ReadFile(Ini());
  fs::rename(dir.File("r1.log"), dir.File("-r1.log"));
  ASSERT_EQ(Run({"--", "-r1.log"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir.File("-r1.out")), kSorted);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"-r1.log", "-r1.out", "r1.srt"}));
  ASSERT_EQ(Run({"--order", "mask-hop", "--", "-r1.log"}).exitCode, 0);
  EXPECT_EQ(ReadFile(Ini()), stored);
  EXPECT_EQ(ListFolder(config.File("tessaline")), std::vector<std::string>{"Tessaline.ini"});
}

TEST_F(Batch, RefusedInputsNameTheFileAndTheReasonAndStayUntouched) {
  WriteFile(dir.File("x.srt"), kLog);  // its result would be itself
  fs::create_directory(dir.File("sub"));
  const std::pair<const char*, const char*> cases[] = {
      {"nope.log", "No such file or directory"},
      {"x.srt", ""},
      {"sub/../x.srt", ""},  // the same file reached by another path text
      {"sub", "Is a directory"},
      // The input is at fault, not the result its missing folder cannot take.
      {"nodir/nope.log", "No such file or directory"},
  };
  for (const auto& [name, reason] : cases) {
    const RunResult r = Run({name});
    EXPECT_EQ(r.exitCode, 2) << name;
    EXPECT_EQ(r.err.rfind("tessaline: " + std::string(name) + ": " + reason, 0), 0u) << r.err;
  }
  WriteFile(dir.File("r1.log"), kLog);
  const RunResult pair = Run({"r1.log", "nodir/r2.log"});
  EXPECT_EQ(pair.err, "tessaline: nodir/r2.log: No such file or directory\n");
  fs::remove(dir.File("r1.log"));
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"sub", "x.srt"}));
  EXPECT_EQ(ReadFile(dir.File("x.srt")), kLog);
}

// File names reach the run as the system split them: spaces and double
// quotes are part of a name, and two names always mean a comparison.
TEST_F(Batch, FileNamesAreTakenAsGiven) {
  for (const char* name : {"a\"b.log", "my log.log", "\"q\" r.log"}) {
    WriteFile(dir.File(name), kLog);
    const RunResult r = Run({name});
    ASSERT_EQ(r.exitCode, 0) << name << ": " << r.err;
    EXPECT_EQ(ReadFile(dir.File(fs::path(name).replace_extension(".srt").string())), kSorted) << name;
  }
  const std::vector<std::string> before = dir.List();
  const RunResult r = Run({"my log.log", ""});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tessaline: '': No such file or directory\n");
  EXPECT_EQ(dir.List(), before);  // nothing sorted
  // A third name is refused before anything runs.
  EXPECT_EQ(Run({"my log.log", "a\"b.log", "nope.log"}).exitCode, 2);
  EXPECT_EQ(dir.List(), before);
  EXPECT_EQ(Run({"my log.log", "a\"b.log"}).exitCode, 0);
  EXPECT_TRUE(ReadFile(dir.File("a\"b.dif")).ends_with(CrLf({"後: a\"b.log", "", "同等です"})));
}

TEST_F(Batch, FailedRunsLeaveNoTemporaryFileAndTheOldResult) {
  const std::string log = "start\n" + kLog + "Gateway of last resort is not set\n";
  WriteFile(dir.File("r1.log"), log);
  WriteFile(dir.File("r1.srt"), "old result\n");
  // A folder where the temporary file would go makes the split fail.
  fs::create_directory(dir.File("r1.(1)"));
  RunResult r = Run({"r1.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("r1.(1)"), std::string::npos) << r.err;
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.(1)", "r1.log", "r1.srt"}));
  fs::remove(dir.File("r1.(1)"));
  // A result in a missing folder fails after the whole split.
  StoreSettings("SortExt1=.d/out.srt\n");
  r = Run({"r1.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("r1.d/out.srt"), std::string::npos) << r.err;
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.log", "r1.srt"}));
  EXPECT_EQ(ReadFile(dir.File("r1.srt")), "old result\n");
  EXPECT_EQ(ReadFile(dir.File("r1.log")), log);
}

// Nothing outside the input's folder is created, emptied or written: table
// names never reach a file name, and a link left with the temporary file's
// name is replaced, never written through.
TEST_F(Batch, NothingOutsideTheInputFolderIsTouched) {
  fs::create_directories(dir.File("in"));
  for (const char* name : {"x_1", "outside1", "outside2"}) WriteFile(dir.File(name), "outside\n");
  WriteFile(dir.File("in/r1.log"), "Routing Table: ../../x\n" + kLog);
  for (const bool symbolic : {true, false}) {
    if (symbolic) {
      fs::create_symlink("../outside1", dir.File("in/r1.(1)"));
    } else {
      fs::create_hard_link(dir.File("outside2"), dir.File("in/r1.(1)"));
    }
    const RunResult r = Run({"r1.log"}, "in");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    for (const char* name : {"x_1", "outside1", "outside2"}) EXPECT_EQ(ReadFile(dir.File(name)), "outside\n") << name;
    EXPECT_EQ(dir.List(), (std::vector<std::string>{"in", "outside1", "outside2", "x_1"}));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.File("in")), fs::directory_iterator()), 2);  // r1.log, r1.srt
    EXPECT_EQ(ReadFile(dir.File("in/r1.srt")), "Routing Table: ../../x\r\n" + kSorted);
  }
}

}  // namespace
}  // namespace tess::testing
