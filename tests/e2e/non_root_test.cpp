// Runs of the built binary as user nobody, where the system refuses what
// root is always allowed: a sort into a folder that nobody cannot write to
// fails with one line on standard error and leaves the folder as it was; in
// a folder open to nobody the same sort succeeds, as nobody. A run that
// cannot happen as nobody fails the test rather than running as root.
#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <regex>
#include <stdexcept>
#include <sys/stat.h>

#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLog = CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected, E0"});

// route.log in `dir`, readable by everyone whatever the umask.
void PutLog(const ScratchDir& dir) {
  WriteFile(dir.File("route.log"), kLog);
  fs::permissions(dir.File("route.log"), fs::perms(0644));
}

unsigned Owner(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 ? st.st_uid : ~0u;
}

TEST(NonRoot, SortIntoFolderNobodyCannotWriteToFailsAndLeavesItAsItWas) {
  ScratchDir dir, config;
  PutLog(dir);
  dir.OpenReadOnlyToOthers();
  config.OpenToEveryone();
  const std::vector<std::string> before = dir.List();

  const RunResult r = RunTessalineAsNobody({"route.log"}, dir.path(), config.path());
  EXPECT_EQ(r.exitCode, 2) << r.err;
  EXPECT_EQ(r.out, "");
  // One line, "tessaline: FILE: reason": the result the user asked for (not
  // some temporary name), refused by the system.
  static const std::regex kMessage("tessaline: (.+): ([^:]+)\n");
  std::smatch m;
  ASSERT_TRUE(std::regex_match(r.err, m, kMessage)) << r.err;
  const fs::path named = m[1].str();
  EXPECT_TRUE(named.parent_path().empty() || fs::equivalent(named.parent_path(), dir.path())) << r.err;
  EXPECT_EQ(named.filename().string(), "route.srt") << r.err;
  EXPECT_EQ(m[2].str(), std::strerror(EACCES)) << r.err;
  EXPECT_EQ(dir.List(), before);
  EXPECT_EQ(ReadFile(dir.File("route.log")), kLog);
}

TEST(NonRoot, SortInFolderOpenToNobodySucceedsAsNobody) {
  ScratchDir asRoot, rootConfig;
  PutLog(asRoot);
  const RunResult expected = RunTessaline({"route.log"}, asRoot.path(), rootConfig.path());
  ASSERT_EQ(expected.exitCode, 0) << expected.err;

  ScratchDir dir, config;
  PutLog(dir);
  dir.OpenToEveryone();
  config.OpenToEveryone();
  const RunResult r = RunTessalineAsNobody({"route.log"}, dir.path(), config.path());
  EXPECT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"route.log", "route.srt"}));
  EXPECT_EQ(ReadFile(dir.File("route.srt")), ReadFile(asRoot.File("route.srt")));
  EXPECT_EQ(Owner(dir.File("route.srt")), kNobodyId);  // written by nobody, not by root
}

// A folder left closed (mode 0700, root's) is one nobody cannot enter: the
// run is refused with a message that names it, and nothing runs as root.
TEST(NonRoot, FolderClosedToNobodyFailsTheRunInsteadOfRunningAsRoot) {
  ScratchDir dir, config;
  PutLog(dir);
  config.OpenToEveryone();
  try {
    RunTessalineAsNobody({"route.log"}, dir.path(), config.path());
    ADD_FAILURE() << "ran in a folder nobody cannot enter";
  } catch (const std::runtime_error& e) {
    const std::string what = e.what();
    EXPECT_NE(what.find(dir.path()), std::string::npos) << what;
    EXPECT_NE(what.find(std::strerror(EACCES)), std::string::npos) << what;
  }
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"route.log"}));
}

}  // namespace
}  // namespace tess::testing
