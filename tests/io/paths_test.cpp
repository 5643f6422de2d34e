#include "io/paths.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

// A folder is joined to a name by exactly one separator, however it was
// written; a path splits into the folder to open and its last component.
TEST(Paths, JoinAndSplit) {
  const std::pair<const char*, const char*> joins[] = {
      {"before", "before/r1.log"}, {"before/", "before/r1.log"}, {"before//", "before/r1.log"},
      {"/", "/r1.log"},            {"", "r1.log"},               {"a/b", "a/b/r1.log"}};
  for (const auto& [folder, joined] : joins) EXPECT_EQ(JoinPath(folder, "r1.log"), joined) << folder;
  const struct {
    const char* path;
    const char* folder;
    const char* name;
  } splits[] = {{"a/b/r1.log", "a/b", "r1.log"}, {"r1.log", ".", "r1.log"}, {"/r1.log", "/", "r1.log"},
                {"a/", "a", ""},                 {"", ".", ""}};
  for (const auto& c : splits) {
    EXPECT_EQ(FolderOf(c.path), c.folder) << c.path;
    EXPECT_EQ(NameOf(c.path), c.name) << c.path;
  }
}

TEST(FileExists, FilesOnlyAndNeverAFolder) {
  ScratchDir dir;
  WriteFile(dir.File("a.log"), "x");
  EXPECT_TRUE(FileExists(dir.File("a.log")));
  for (const std::string& path : {dir.File("b.log"), dir.File("a.log/inner"), dir.path(), std::string()}) {
    EXPECT_FALSE(FileExists(path)) << path;
  }
}

}  // namespace
}  // namespace tess
