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
  RunResult Run(const std::vector<std::string>& args) { return RunTessaline(args, dir.path(), config.path()); }
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
    EXPECT_EQ(r.exitCode, 0) << option;
    EXPECT_FALSE(r.out.empty()) << option;
    EXPECT_EQ(r.err, "") << option;
  }
  EXPECT_NE(Run({"--version"}).out.find("0.60"), std::string::npos);
  EXPECT_NE(Run({"--help"}).out.find("--filter"), std::string::npos);
}

TEST_F(Batch, MalformedCommandLinesFailUntouched) {
  WriteFile(dir.File("r1.log"), kLog);
  WriteFile(dir.File("r2.log"), kLog);
  const std::vector<std::vector<std::string>> cases = {
      {"--bogus", "r1.log"},          {"-x", "r1.log"},
      {"--order", "6", "r1.log"},     {"--order", "depth", "r1.log"},
      {"r1.log", "--order"},          {"--filter", "0,1", "r1.log"},
      {"--filter", "dest,time", "r1.log"}, {"--filter", "5,6", "r1.log"},
      {"--filter", "all,dest-mask", "r1.log"}, {"--filter", "7", "r1.log"},
      {"--filter=", "r1.log"},        {"--order", "1"},
  };
  for (const auto& args : cases) {
    const RunResult r = Run(args);
    EXPECT_EQ(r.exitCode, 2) << args[0] << " " << args[1];
    EXPECT_EQ(r.err.rfind("tessaline: ", 0), 0u) << r.err;
    if (args[0].rfind("--bogus", 0) == 0 || args[0] == "-x") {
      EXPECT_NE(r.err.find("Usage:"), std::string::npos) << r.err;
    }
  }
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.log", "r2.log"}));
  // A comparison always sorts by destination: --order with two files is refused.
  const RunResult two = Run({"--order", "hop", "r1.log", "r2.log"});
  EXPECT_EQ(two.exitCode, 2);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.log", "r2.log"}));
}

TEST_F(Batch, OptionsApplyToOneRunAndAreNotStored) {
  WriteFile(dir.File("r1.log"), kLog);
  const RunResult r = Run({"r1.log", "--order=hop", "--filter", "interface,time"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("r1.srt")),
            CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected",
                  "C    10.2.0.0/24 is directly connected"}));
  EXPECT_EQ(ReadFile(Ini()), "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=0\nStoreSort=0\n");
  // Without options the stored state rules: options off, so no filter.
  ASSERT_EQ(Run({"r1.log"}).exitCode, 0);
  EXPECT_EQ(ReadFile(dir.File("r1.srt")), kSorted);
}

TEST_F(Batch, DoubleDashEndsOptionsAndStoredExtensionApplies) {
  StoreSettings("SortExt1=out\n");
  WriteFile(dir.File("-r1.log"), kLog);
  const RunResult r = Run({"--", "-r1.log"});
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("-r1.out")), kSorted);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"-r1.log", "-r1.out"}));
}

TEST_F(Batch, ResultThatIsTheInputIsRefusedUntouched) {
  WriteFile(dir.File("x.srt"), kLog);
  const RunResult r = Run({"x.srt"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err.rfind("tessaline: x.srt: ", 0), 0u) << r.err;
  EXPECT_EQ(ReadFile(dir.File("x.srt")), kLog);
  EXPECT_EQ(dir.List(), std::vector<std::string>{"x.srt"});
  // The same file reached by another path text is refused too.
  fs::create_directory(dir.File("sub"));
  EXPECT_EQ(Run({"sub/../x.srt"}).exitCode, 2);
  EXPECT_EQ(ReadFile(dir.File("x.srt")), kLog);
}

TEST_F(Batch, FileNamesWithADoubleQuoteAreRefused) {
  WriteFile(dir.File("a\"b.log"), kLog);
  WriteFile(dir.File("ab.log"), kLog);
  const RunResult r = Run({"a\"b.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tessaline: a\"b.log: file names holding a double quote are not supported\n");
  EXPECT_FALSE(Exists(dir.File("ab.srt")));  // not sorted under another name
  EXPECT_FALSE(Exists(dir.File("a\"b.srt")));
}

TEST_F(Batch, MissingInputNamesTheFile) {
  const RunResult r = Run({"nope.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_EQ(r.err, "tessaline: nope.log: No such file or directory\n");
  EXPECT_TRUE(dir.List().empty());
}

TEST_F(Batch, FailedRunsLeaveNoTemporaryFileAndTheOldResult) {
  const std::string log = "start\n" + kLog + "Gateway of last resort is not set\n";
  WriteFile(dir.File("r1.log"), log);
  WriteFile(dir.File("r1.srt"), "old result\n");
  // A folder where section 1's temporary file would go makes the split fail
  // after section 0's file was made.
  fs::create_directory(dir.File("r1.(1)!!default_1"));
  RunResult r = Run({"r1.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("r1.(1)!!default_1"), std::string::npos) << r.err;
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.(1)!!default_1", "r1.log", "r1.srt"}));
  EXPECT_EQ(ReadFile(dir.File("r1.srt")), "old result\n");
  EXPECT_EQ(ReadFile(dir.File("r1.log")), log);
  fs::remove(dir.File("r1.(1)!!default_1"));

  // A result in a missing folder fails after the whole split.
  StoreSettings("SortExt1=.d/out.srt\n");
  r = Run({"r1.log"});
  EXPECT_EQ(r.exitCode, 2);
  EXPECT_NE(r.err.find("r1.d/out.srt"), std::string::npos) << r.err;
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r1.log", "r1.srt"}));
  EXPECT_EQ(ReadFile(dir.File("r1.log")), log);
}

TEST_F(Batch, LeftoverLinksWithATemporaryNameAreNotWrittenThrough) {
  WriteFile(dir.File("outside1"), "outside\n");
  WriteFile(dir.File("outside2"), "outside\n");
  fs::create_directory(dir.File("in"));
  WriteFile(dir.File("in/r1.log"), kLog);
  fs::create_symlink("../outside1", dir.File("in/r1.(1)!!begin_0"));
  fs::create_hard_link(dir.File("outside2"), dir.File("in/r1.(1)!!default_1"));
  const RunResult r = RunTessaline({"r1.log"}, dir.File("in"), config.path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("outside1")), "outside\n");
  EXPECT_EQ(ReadFile(dir.File("outside2")), "outside\n");
  EXPECT_EQ(ReadFile(dir.File("in/r1.srt")), kSorted);
  EXPECT_FALSE(fs::exists(fs::symlink_status(dir.File("in/r1.(1)!!begin_0"))));
}

TEST_F(Batch, TableNamesNeverReachOutsideTheInputFolder) {
  // With the name used as written, section 1's file would be
  // in/r1.(1)../../x_1, that is x_1 beside the input's folder.
  fs::create_directories(dir.File("in/r1.(1).."));
  WriteFile(dir.File("x_1"), "outside\n");
  WriteFile(dir.File("in/r1.log"), "Routing Table: ../../x\n" + kLog);
  const RunResult r = RunTessaline({"r1.log"}, dir.File("in"), config.path());
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(ReadFile(dir.File("x_1")), "outside\n");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"in", "x_1"}));
  EXPECT_TRUE(fs::is_empty(dir.File("in/r1.(1)..")));
  const std::vector<std::string> inside = {"r1.(1)..", "r1.log", "r1.srt"};
  std::vector<std::string> listed;
  for (const auto& entry : fs::directory_iterator(dir.File("in"))) listed.push_back(entry.path().filename().string());
  std::sort(listed.begin(), listed.end());
  EXPECT_EQ(listed, inside);
  EXPECT_EQ(ReadFile(dir.File("in/r1.srt")), "Routing Table: ../../x\r\n" + kSorted);
}

}  // namespace
}  // namespace tess::testing
