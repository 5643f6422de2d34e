#include "app/form_state.h"

#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::ScratchDir;
using testing::WriteFile;

TEST(CheckValueFromSetting, RoundsTheLeadingNumberHalvesToEven) {
  const std::pair<const char*, int> cases[] = {
      {"1", 1},   {"0", 0},    {"2", 2},   {"1.4", 1}, {"0.5", 0}, {"2.5", 2}, {"1.5", 2}, {"0.51", 1},
      {" 1", 1},  {"1abc", 1}, {"abc", 0}, {"", 0},    {"3", 0},   {"-1", 0},  {"1e0", 1}, {".9", 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(CheckValueFromSetting(text), value) << text;
}

class Form : public ::testing::Test {
 protected:
  std::string Ini() const { return dir.File("Tessaline.ini"); }
  std::string Stored(const char* key) const { return ReadSetting(Ini(), "Tessaline", key); }
  ScratchDir dir;
  FormState form;
};

TEST_F(Form, FirstStartWritesDefaultExtensionsAndUntickedBoxes) {
  form.Form_Load(Ini());
  EXPECT_EQ(ReadFile(Ini()), "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=0\nStoreSort=0\n");
  EXPECT_EQ(form.txtFileExt[3].Text, ".dif");
  EXPECT_FALSE(form.chkOption.Value != 0 || form.mOptConfig.Enabled);
  // Empty inputs: names are the extensions alone, nothing can run.
  EXPECT_EQ(form.txtReadFile[2].Tag, ".(2)");
  EXPECT_EQ(form.txtWriteFile[1].Text, ".srt");
  EXPECT_EQ(form.txtDiffFile.Text, ".dif");
  EXPECT_FALSE(form.mFileDiff.Enabled);
}

TEST_F(Form, StoredValuesComeBackNormalized) {
  WriteFile(Ini(), "[Tessaline]\nSortExt1=srt\nSortExt2=\nDiffExt=.tar.gz\nEnableOpt=1.4\nStoreSort=0.5\n");
  form.Form_Load(Ini());
  // A present but empty key stays empty; 1.4 gives the design value 1, so
  // nothing is written back; 0.5 gives 0.
  EXPECT_EQ(ReadFile(Ini()), "[Tessaline]\nSortExt1=.srt\nSortExt2=\nDiffExt=.tar.gz\nEnableOpt=1.4\nStoreSort=0\n");
  EXPECT_EQ(form.SortExtension[1] + "|" + form.SortExtension[2], ".srt|");
  EXPECT_TRUE(form.chkOption.Value == 1 && form.mOptConfig.Enabled);
  form.SetReadFileText(2, dir.File("r2.log"));
  EXPECT_EQ(form.txtWriteFile[2].Text, dir.File("r2"));
  EXPECT_EQ(form.txtDiffFile.Text, dir.File("r2.tar.gz"));
}

TEST_F(Form, CheckBoxesAndMenusWriteTheirKeysAndOptionsNeedTheBox) {
  form.Form_Load(Ini());
  form.mSortKey[2].Checked = form.mSortKey[4].Checked = true;
  EXPECT_FALSE(form.CurrentSortOptions().InForce);
  form.SetOptionValue(1);
  EXPECT_TRUE(Stored("EnableOpt") == "1" && form.mOption.Checked);
  EXPECT_EQ(form.CurrentSortOptions().Order, 4);  // searched from item 5 down
  form.mOption_Click();
  EXPECT_TRUE(form.chkOption.Value == 0 && Stored("EnableOpt") == "0");
  form.mFileDel_Click();
  EXPECT_TRUE(form.chkFileDel.Value == 1 && Stored("StoreSort") == "1");
  form.SetOptionValue(2);
  EXPECT_FALSE(form.CurrentSortOptions().InForce);
  form.PersistSettings = false;  // batch options: in force for one run only
  form.SetOptionValue(1);
  EXPECT_EQ(Stored("EnableOpt"), "2");
}

TEST_F(Form, DerivationFollowsInputsAndExtensions) {
  form.Form_Load(Ini());
  WriteFile(dir.File("r1.log"), "x");
  WriteFile(dir.File("r1.srt"), "old");
  form.SetReadFileText(1, dir.File("r1.log"));
  EXPECT_EQ(form.txtReadFile[1].Tag, dir.File("r1.(1)"));
  EXPECT_EQ(form.txtWriteFile[1].Text, dir.File("r1.srt"));
  EXPECT_EQ(form.txtWriteFile[1].ForeColor, kRed);  // the result exists
  EXPECT_TRUE(form.mFileSort[1].Enabled);
  form.SetFileExtText(1, "x.srt");
  EXPECT_EQ(form.txtWriteFile[1].Text, dir.File("r1x.srt"));
  EXPECT_EQ(form.txtWriteFile[1].ForeColor, kWindowTextColor);
  form.SetFileExtText(1, "");
  EXPECT_EQ(form.txtWriteFile[1].Text, dir.File("r1."));
  EXPECT_EQ(Stored("SortExt1"), ".");
  // The report extension re-derives slot 2, never slot 1.
  form.SetReadFileText(2, dir.File("r1.log"));
  EXPECT_TRUE(form.cmdDiff.Enabled);
  form.txtWriteFile[1].Text = "edited";
  form.SetFileExtText(3, "rep");
  EXPECT_EQ(form.txtDiffFile.Text, dir.File("r1.rep"));
  EXPECT_EQ(form.txtWriteFile[1].Text, "edited");
  form.SetReadFileText(1, dir.path());  // a folder counts as missing
  EXPECT_FALSE(form.cmdSort[1].Enabled);
  EXPECT_FALSE(form.cmdDiff.Enabled);
}

// Log 2 named like log 1's sort result: sorting slot 1 must not replace it.
TEST_F(Form, SortOverTheOtherSlotsLogIsRefused) {
  form.Form_Load(Ini());
  WriteFile(dir.File("r1.log"), "C    10.1.0.0/24 is directly connected, E0\r\n");
  WriteFile(dir.File("r1.srt"), "the second log\r\n");
  form.SetReadFileText(1, dir.File("r1.log"));
  form.SetReadFileText(2, dir.File("r1.srt"));
  const Status st = form.cmdSort_Click(1);
  EXPECT_FALSE(st.ok());
  EXPECT_EQ(st.file(), dir.File("r1.srt"));
  EXPECT_EQ(ReadFile(dir.File("r1.srt")), "the second log\r\n");
  EXPECT_EQ(form.txtWriteFile[1].ForeColor, kRed);  // recoloured after the run
}

}  // namespace
}  // namespace tess
