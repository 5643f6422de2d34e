#include "io/paths.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ScratchDir;
using testing::WriteFile;

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
