#include "app/win_sys.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

TEST(Settings, MissingFileSectionOrKeyReadsEmpty) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), "");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  WriteFile(ini, "[Other]\nSortExt1=.x\n[Tessaline]\nDiffExt=\n");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "DiffExt"), std::optional<std::string>(""));
}

TEST(Settings, KeysAndSectionsMatchWithoutRegardToCase) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteFile(ini, "[TESSALINE]\r\nsortext1=.abc\r\n");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), ".abc");
  WriteSetting(ini, "Tessaline", "SORTEXT1", ".def");
  EXPECT_EQ(ReadFile(ini), "[TESSALINE]\r\nSORTEXT1=.def\r\n");  // replaced in place, CR LF kept
}

TEST(Settings, WriteCreatesFileAndAppendsToItsSectionKeepingOtherLines) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteSetting(ini, "Tessaline", "EnableOpt", "0");
  EXPECT_EQ(ReadFile(ini), "[Tessaline]\nEnableOpt=0\n");

  WriteFile(ini, "; note\n[Tessaline]\nEnableOpt=0\n\n[Other]\nKey=v\n");
  WriteSetting(ini, "Tessaline", "StoreSort", "1");
  WriteSetting(ini, "Other", "Key", "w");
  EXPECT_EQ(ReadFile(ini), "; note\n[Tessaline]\nEnableOpt=0\nStoreSort=1\n\n[Other]\nKey=w\n");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "StoreSort"), "1");
  EXPECT_EQ(ReadSetting(ini, "Other", "Key"), "w");
}

TEST(Settings, LongValueComesBackCutTo254Bytes) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  const std::string value(300, 'x');
  WriteSetting(ini, "Tessaline", "SortExt1", value);
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), std::string(254, 'x'));
}

TEST(FileExists, FilesOnlyAndNeverAFolder) {
  ScratchDir dir;
  WriteFile(dir.File("a.log"), "x");
  EXPECT_TRUE(FileExists(dir.File("a.log")));
  EXPECT_FALSE(FileExists(dir.File("b.log")));
  EXPECT_FALSE(FileExists(dir.File("a.log/inner")));  // a file where a folder should be
  EXPECT_FALSE(FileExists(dir.path()));
  EXPECT_FALSE(FileExists(""));
}

}  // namespace
}  // namespace tess
