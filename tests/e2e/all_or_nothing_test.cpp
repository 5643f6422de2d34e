// A batch comparison that fails at any step leaves every file of the user's
// as it was: older sort results, older report, the logs. With the sort
// results kept or not.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

const std::string kLog = CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected, E0"});

// Logs in two folders (the after-log's folder holds the report), older
// outputs beside them, and settings that keep the sort results or not.
class AllOrNothing : public ::testing::Test {
 protected:
  void Prepare(bool keep) {
    before = std::make_unique<ScratchDir>();
    after = std::make_unique<ScratchDir>();
    config = std::make_unique<ScratchDir>();
    fs::create_directories(config->File("tessaline"));
    WriteFile(config->File("tessaline/Tessaline.ini"),
              std::string("[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=1\r\nStoreSort=") +
                  (keep ? "1" : "0") + "\r\n");
    for (const ScratchDir* dir : {before.get(), after.get()}) {
      WriteFile(dir->File("r.log"), kLog);
      WriteFile(dir->File("r.srt"), "older result\r\n");
      fs::permissions(dir->File("r.log"), fs::perms(0644));
    }
    WriteFile(after->File("r.dif"), "older report\r\n");
  }
  // Everything in both folders, name and content.
  std::vector<std::string> Contents() const {
    std::vector<std::string> all;
    for (const ScratchDir* dir : {before.get(), after.get()}) {
      for (const std::string& name : dir->List()) {
        const std::string path = dir->File(name);
        all.push_back(name + "=" + (fs::is_directory(path) ? "<folder>" : ReadFile(path)));
      }
      all.push_back("--");
    }
    return all;
  }
  std::unique_ptr<ScratchDir> before, after, config;
};

TEST_F(AllOrNothing, MissingSecondLogOrReportFolderChangesNothing) {
  for (bool keep : {false, true}) {
    for (const char* spoil : {"missing second log", "report is a folder"}) {
      SCOPED_TRACE(std::string(spoil) + (keep ? ", results kept" : ", results not kept"));
      Prepare(keep);
      std::string second = after->File("r.log");
      if (spoil == std::string("missing second log")) {
        second = after->File("gone.log");
        WriteFile(after->File("gone.dif"), "older report\r\n");
      } else {
        fs::remove(after->File("r.dif"));
        fs::create_directory(after->File("r.dif"));
      }
      const std::vector<std::string> contents = Contents();
      const RunResult r = RunTessaline({before->File("r.log"), second}, before->path(), config->path());
      EXPECT_EQ(r.exitCode, 2);
      EXPECT_EQ(r.err.rfind("tessaline: " + after->File(spoil[0] == 'm' ? "gone.log" : "r.dif") + ": ", 0), 0u)
          << r.err;
      EXPECT_EQ(Contents(), contents);
    }
  }
}

// The after-log's folder refuses new files to the user who runs the
// comparison: nothing is sorted, nothing anywhere changes.
TEST_F(AllOrNothing, UnwritableReportFolderChangesNothing) {
  for (bool keep : {false, true}) {
    SCOPED_TRACE(keep ? "results kept" : "results not kept");
    Prepare(keep);
    before->OpenToEveryone();
    after->OpenReadOnlyToOthers();
    config->OpenToEveryone();
    fs::permissions(config->File("tessaline"), fs::perms(0777));
    const std::vector<std::string> contents = Contents();
    const RunResult r =
        RunTessalineAsNobody({before->File("r.log"), after->File("r.log")}, before->path(), config->path());
    EXPECT_EQ(r.exitCode, 2) << r.err;
    EXPECT_EQ(r.err, "tessaline: " + after->File("r.srt") + ": Permission denied\n");
    EXPECT_EQ(Contents(), contents);
  }
}

}  // namespace
}  // namespace tess::testing
