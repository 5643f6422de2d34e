// The comparison run on the window's state: the options it forces for the
// two sorts and gives back afterwards.
#include <gtest/gtest.h>

#include "app/form_state.h"
#include "app/settings_file.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

const std::string kOspf = "O    10.2.1.0/24 [110/20] via 10.1.1.2, 00:00:12, Ethernet0";
const std::string kStatic = "S    10.9.0.0/16 [1/0] via 10.1.1.1";

class CompareFormDiff : public ::testing::Test {
 protected:
  // Sort results kept, options ticked; both logs hold the same two routes
  // (in mask order, the reverse of destination order).
  void SetUp() override {
    WriteFile(Ini(), "[Tessaline]\nSortExt1=.srt\nSortExt2=.srt\nDiffExt=.dif\nEnableOpt=1\nStoreSort=1\n");
    const std::string log = "Gateway of last resort is not set\n" + kStatic + "\n" + kOspf + "\n";
    WriteFile(dir.File("before.log"), log);
    WriteFile(dir.File("after.log"), log);
    form.Form_Load(Ini());
    form.SetReadFileText(1, dir.File("before.log"));
    form.SetReadFileText(2, dir.File("after.log"));
  }
  std::string Ini() const { return dir.File("Tessaline.ini"); }
  static std::vector<int> Ticked(const auto& items) {
    std::vector<int> ticked;
    for (size_t k = 0; k < items.size(); ++k) if (items[k].Checked) ticked.push_back(static_cast<int>(k));
    return ticked;
  }

  ScratchDir dir;
  FormState form;
};

TEST_F(CompareFormDiff, SortsByDestinationWithoutTimeAndGivesTheOptionsBack) {
  const struct {
    const char* name;
    int option, sortKey;
    std::vector<int> filter;  // items clicked, in order
    std::string route1, route2;  // the two routes as both sort results hold them
  } cases[] = {
      {"AsDesigned", 1, 0, {}, "O    10.2.1.0/24 [110/20] via 10.1.1.2, Ethernet0", kStatic},
      {"OptionsOffMaskHopInterface", 0, 3, {1}, "O    10.2.1.0/24 [110/20] via 10.1.1.2", kStatic},
      {"DestinationOnly", 1, 5, {6}, "-    10.2.1.0", "-    10.9.0.0"},
      {"TimeAlreadyTicked", 0, 0, {2, 3}, "O    10.2.1.0/24 via 10.1.1.2, Ethernet0", "S    10.9.0.0/16 via 10.1.1.1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    form.SetOptionValue(c.option);
    form.mSortKey_Click(c.sortKey);
    form.mInfoDel_Click(0);
    for (int item : c.filter) form.mInfoDel_Click(item);
    const std::vector<int> filter = Ticked(form.mInfoDel);

    const DiffOutcome outcome = form.cmdDiff_Click();
    ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
    EXPECT_EQ(outcome.DifferenceCount, 0);
    for (const char* srt : {"before.srt", "after.srt"}) {
      EXPECT_EQ(ReadFile(dir.File(srt)), CrLf({"Gateway of last resort is not set", c.route1, c.route2}));
    }
    EXPECT_EQ(form.chkOption.Value, c.option);
    EXPECT_EQ(form.mOption.Checked, c.option == 1);
    EXPECT_EQ(ReadSetting(Ini(), "Tessaline", "EnableOpt"), std::to_string(c.option));
    EXPECT_EQ(Ticked(form.mSortKey), std::vector<int>{c.sortKey});
    EXPECT_EQ(Ticked(form.mInfoDel), filter);
    EXPECT_FALSE(form.Sort.Parser.ResultReadMode);
    EXPECT_EQ(form.txtDiffFile.ForeColor, kRed);  // the report now exists
  }
}

}  // namespace
}  // namespace tess
