#include "app/settings_file.h"

#include <gtest/gtest.h>

#include "test_support.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

TEST(Settings, ReadsMissingAsEmptyAndMatchesWithoutRegardToCase) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), "");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  WriteFile(ini, "[Other]\nSortExt1=.x\n[TESSALINE]\nDiffExt=\nsortext2=.abc\n");
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "SortExt1"), std::nullopt);
  EXPECT_EQ(ReadSettingIfPresent(ini, "Tessaline", "DiffExt"), std::optional<std::string>(""));
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt2"), ".abc");
}

TEST(Settings, WritesInPlaceOrAppendsToTheSectionKeepingOtherLines) {
  ScratchDir dir;
  const std::string ini = dir.File("Tessaline.ini");
  WriteSetting(ini, "Tessaline", "EnableOpt", "0");
  EXPECT_EQ(ReadFile(ini), "[Tessaline]\nEnableOpt=0\n");

  WriteFile(ini, "; note\r\n[TESSALINE]\r\nsortext1=.abc\r\n\r\n[Other]\r\nKey=v\r\n");
  WriteSetting(ini, "Tessaline", "SORTEXT1", ".def");  // replaced in place, CR LF kept
  WriteSetting(ini, "Tessaline", "StoreSort", "1");
  WriteSetting(ini, "Other", "Key", "w");
  EXPECT_EQ(ReadFile(ini), "; note\r\n[TESSALINE]\r\nSORTEXT1=.def\r\nStoreSort=1\r\n\r\n[Other]\r\nKey=w\r\n");
  // A long value comes back cut to 254 bytes.
  WriteSetting(ini, "Tessaline", "SortExt1", std::string(300, 'x'));
  EXPECT_EQ(ReadSetting(ini, "Tessaline", "SortExt1"), std::string(254, 'x'));
}

}  // namespace
}  // namespace tess
