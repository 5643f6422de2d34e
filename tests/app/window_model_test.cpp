// The window's fields and ticks as plain values: start-up from the stored
// settings, derivation of output names, the option rules, and the requests
// the fields make.
#include "app/window_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

#include "app/sort_log.h"
#include "test_support.h"

namespace tess {
namespace {

using testing::ReadFile;
using testing::ReadSetting;
using testing::ScratchDir;
using testing::WriteFile;

TEST(CheckValueFromSetting, RoundsTheLeadingNumberHalvesToEven) {
  const std::pair<const char*, int> cases[] = {
      {"1", 1},   {"0", 0},    {"2", 2},   {"1.4", 1}, {"0.5", 0}, {"2.5", 2}, {"1.5", 2}, {"0.51", 1},
      {" 1", 1},  {"1abc", 1}, {"abc", 0}, {"", 0},    {"3", 0},   {"-1", 0},  {"1e0", 1}, {".9", 1},
  };
  for (const auto& [text, value] : cases) EXPECT_EQ(CheckValueFromSetting(text), value) << text;
}

// The share read: a log that grew while read stays at 100%, an unknown size
// shows 0%; the verdict reads as the report words it.
TEST(CaptionSuffix, ShowsTheShareReadAndTheVerdict) {
  const std::tuple<int64_t, int64_t, const char*> shares[] = {
      {0, 1000, " - 実行中 0%"}, {999, 1000, " - 実行中 99%"}, {1000, 1000, " - 実行中 100%"},
      {1500, 1000, " - 実行中 100%"}, {50, 0, " - 実行中 0%"},
      {int64_t{3} << 40, int64_t{4} << 40, " - 実行中 75%"},
  };
  WindowModel model;
  for (const auto& [read, total, shown] : shares) {
    model.NoteRunProgress(read, total);
    EXPECT_EQ(model.CaptionSuffix(), shown) << read << " of " << total;
  }
  model.NoteComparisonVerdict(0);
  EXPECT_EQ(model.CaptionSuffix(), " - 同等です");
  model.NoteComparisonVerdict(12345678901);
  EXPECT_EQ(model.CaptionSuffix(), " - 12345678901 の違いがあります");
  model.SetReportPath("x.dif");
  EXPECT_EQ(model.CaptionSuffix(), "");
}

class Window : public ::testing::Test {
 protected:
  std::string Ini() const { return dir.File("Tessaline.ini"); }
  std::string Stored(const char* key) const { return ReadSetting(Ini(), "Tessaline", key); }
  void Load() {
    model = WindowModel(SettingsStore(Ini()));
    model.Load();
  }
  // Ticked filter items, as item numbers.
  std::vector<int> Ticked() const {
    std::vector<int> ticked;
    for (int k = 0; k < kFilterItemCount; ++k) {
      if (model.Filter().Has(static_cast<FilterItem>(k))) ticked.push_back(k);
    }
    return ticked;
  }
  ScratchDir dir;
  WindowModel model;
};

TEST_F(Window, FirstStartWritesDefaultExtensionsAndUntickedBoxes) {
  Load();
  EXPECT_EQ(ReadFile(Ini()),
            "[Tessaline]\r\nSortExt1=.srt\r\nSortExt2=.srt\r\nDiffExt=.dif\r\nEnableOpt=0\r\nStoreSort=0\r\n");
  EXPECT_EQ(model.ExtensionText(3), ".dif");
  EXPECT_FALSE(model.OptionsInForce() != 0 || model.OptionsChoosable());
  // Empty inputs: names are the extensions alone, nothing can run.
  EXPECT_EQ(model.TempBase(2), ".(2)");
  EXPECT_EQ(model.Result(1).Text, ".srt");
  EXPECT_EQ(model.Report().Text, ".dif");
  EXPECT_FALSE(model.CanSort(1) || model.CanCompare());
}

TEST_F(Window, StoredValuesComeBackNormalizedAndOnlyChangesAreWritten) {
  WriteFile(Ini(), "[Tessaline]\nSortExt1=srt\nSortExt2=\nDiffExt=.tar.gz\nEnableOpt=1.4\nStoreSort=0.5\n");
  Load();
  // A present but empty key stays empty; 1.4 gives the design value 1, so
  // nothing is written back; 0.5 gives 0. Lines not written stay as they were.
  EXPECT_EQ(ReadFile(Ini()), "[Tessaline]\nSortExt1=.srt\r\nSortExt2=\nDiffExt=.tar.gz\nEnableOpt=1.4\nStoreSort=0\r\n");
  EXPECT_EQ(model.ExtensionText(1), "srt");
  EXPECT_TRUE(model.OptionsInForce() == 1 && model.OptionsChoosable());
  model.SetInputPath(2, dir.File("r2.log"));
  EXPECT_EQ(model.Result(2).Text, dir.File("r2"));
  EXPECT_EQ(model.Report().Text, dir.File("r2.tar.gz"));

  // Settings already normalized on disk: a start writes nothing at all.
  const std::string settled = ReadFile(Ini());
  Load();
  EXPECT_EQ(ReadFile(Ini()), settled);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"Tessaline.ini", "Tessaline.ini.lock"}));
}

TEST_F(Window, CheckBoxesAndMenusWriteTheirKeysAndOptionsNeedTheBox) {
  Load();
  model.ChooseSortOrder(SortOrder::ProtocolThenDestination);
  EXPECT_FALSE(model.CurrentSortOptions().InForce);
  EXPECT_EQ(model.CurrentSortOptions().Order, SortOrder::Destination);
  model.SetOptionsInForce(1);
  EXPECT_TRUE(Stored("EnableOpt") == "1" && model.OptionsChoosable());
  EXPECT_EQ(model.CurrentSortOptions().Order, SortOrder::ProtocolThenDestination);
  model.ToggleOptionsInForce();
  EXPECT_TRUE(model.OptionsInForce() == 0 && Stored("EnableOpt") == "0");
  model.ToggleKeepSortResults();
  EXPECT_TRUE(model.KeepSortResults() == 1 && Stored("StoreSort") == "1");
  model.SetOptionsInForce(2);  // greyed: not in force, and flips like unticked
  EXPECT_FALSE(model.CurrentSortOptions().InForce);
  model.ToggleOptionsInForce();
  EXPECT_EQ(model.OptionsInForce(), 1);
}

// Two windows over one settings file: an edit that leaves a window's value
// as it was writes nothing, so the other window's newer value stays.
TEST_F(Window, AnEditThatChangesNoValueKeepsTheOtherWindowsNewerOne) {
  Load();
  WindowModel other{SettingsStore(Ini())};
  other.Load();
  const struct {
    const char* key;
    std::function<void(WindowModel&)> otherWrites, unchangedEdit;
  } cases[] = {
      {"SortExt1", [](WindowModel& w) { w.SetExtensionText(1, ".new"); },
       [](WindowModel& w) { w.SetExtensionText(1, "srt"); }},  // ".srt" again once normalized
      {"DiffExt", [](WindowModel& w) { w.SetExtensionText(3, "new"); },
       [](WindowModel& w) { w.SetExtensionText(3, ".dif"); }},
      {"EnableOpt", [](WindowModel& w) { w.SetOptionsInForce(1); }, [](WindowModel& w) { w.SetOptionsInForce(0); }},
      {"StoreSort", [](WindowModel& w) { w.SetKeepSortResults(1); },
       [](WindowModel& w) { w.SetKeepSortResults(0); }},
  };
  for (const auto& c : cases) {
    c.otherWrites(other);
    const std::string newer = Stored(c.key);
    c.unchangedEdit(model);
    EXPECT_EQ(Stored(c.key), newer) << c.key;
  }
}

TEST_F(Window, FilterItemsStandAloneOrCombine) {
  Load();
  const struct {
    FilterItem click;
    std::vector<int> ticked;
  } steps[] = {
      {FilterItem::Interface, {1}},       {FilterItem::Time, {1, 2}}, {FilterItem::Interface, {2}},
      {FilterItem::Time, {0}},            {FilterItem::DestinationAndMask, {5}},
      {FilterItem::Cost, {3}},            {FilterItem::DestinationOnly, {6}},
      {FilterItem::DestinationOnly, {6}}, {FilterItem::All, {0}},
  };
  EXPECT_EQ(Ticked(), std::vector<int>{0});
  for (const auto& step : steps) {
    model.ClickFilterItem(step.click);
    EXPECT_EQ(Ticked(), step.ticked) << static_cast<int>(step.click);
  }
}

TEST_F(Window, DerivationFollowsInputsAndExtensions) {
  Load();
  WriteFile(dir.File("r1.log"), "x");
  WriteFile(dir.File("r1.srt"), "old");
  model.SetInputPath(1, dir.File("r1.log"));
  EXPECT_EQ(model.TempBase(1), dir.File("r1.(1)"));
  EXPECT_EQ(model.Result(1).Text, dir.File("r1.srt"));
  EXPECT_EQ(model.Result(1).ForeColor, kRed);  // the result exists
  EXPECT_TRUE(model.CanSort(1));
  model.SetExtensionText(1, "x.srt");
  EXPECT_EQ(model.Result(1).Text, dir.File("r1x.srt"));
  EXPECT_EQ(model.Result(1).ForeColor, kWindowTextColor);
  model.SetExtensionText(1, "");
  EXPECT_EQ(model.Result(1).Text, dir.File("r1."));
  EXPECT_EQ(Stored("SortExt1"), ".");
  // The report extension re-derives slot 2, never slot 1.
  model.SetInputPath(2, dir.File("r1.log"));
  EXPECT_TRUE(model.CanCompare());
  model.SetResultPath(1, "edited");
  model.SetExtensionText(3, "rep");
  EXPECT_EQ(model.Report().Text, dir.File("r1.rep"));
  EXPECT_EQ(model.Result(1).Text, "edited");
  model.SetInputPath(1, dir.path());  // a folder counts as missing
  EXPECT_FALSE(model.CanSort(1));
  EXPECT_FALSE(model.CanCompare());
}

TEST_F(Window, RequestsCarryTheFieldsAndTheOptionsInForce) {
  WriteFile(Ini(), "[Tessaline]\r\nSortExt1=.s1\r\nSortExt2=.s2\r\nDiffExt=.d\r\nEnableOpt=1\r\nStoreSort=0\r\n");
  Load();
  model.SetInputPath(1, dir.File("a.log"));
  model.SetInputPath(2, dir.File("b.log"));
  model.ChooseSortOrder(SortOrder::MaskThenNextHop);
  model.ClickFilterItem(FilterItem::Cost);
  const SortRequest sort = model.MakeSortRequest(2);
  EXPECT_EQ(sort.Files.LogPath, dir.File("b.log"));
  EXPECT_EQ(sort.Files.ResultPath, dir.File("b.s2"));
  EXPECT_EQ(sort.Files.TempBase, dir.File("b.(2)"));
  EXPECT_EQ(sort.OtherInputs, std::vector<std::string>{dir.File("a.log")});
  EXPECT_TRUE(sort.Options.InForce);
  EXPECT_EQ(sort.Options.Order, SortOrder::MaskThenNextHop);
  EXPECT_EQ(sort.Options.Filter, InfoFilter::Only(FilterItem::Cost));

  const CompareRequest compare = model.MakeCompareRequest();
  EXPECT_EQ(compare.Before.ResultPath, dir.File("a.s1"));
  EXPECT_EQ(compare.After.TempBase, dir.File("b.(2)"));
  EXPECT_EQ(compare.ReportPath, dir.File("b.d"));
  EXPECT_EQ(compare.Filter, InfoFilter::Only(FilterItem::Cost));
  EXPECT_FALSE(compare.KeepSortResults);
  // Making requests ticks and stores nothing.
  EXPECT_EQ(model.Order(), SortOrder::MaskThenNextHop);
  EXPECT_EQ(Stored("EnableOpt"), "1");
}

// Log 2 named like log 1's sort result: sorting slot 1 must not replace it.
TEST_F(Window, SortOverTheOtherSlotsLogIsRefused) {
  Load();
  WriteFile(dir.File("r1.log"), "C    10.1.0.0/24 is directly connected, E0\r\n");
  WriteFile(dir.File("r1.srt"), "the second log\r\n");
  model.SetInputPath(1, dir.File("r1.log"));
  model.SetInputPath(2, dir.File("r1.srt"));
  const SortOutcome outcome = SortLog(model.MakeSortRequest(1));
  EXPECT_FALSE(outcome.status.ok());
  EXPECT_EQ(outcome.status.file(), dir.File("r1.srt"));
  EXPECT_EQ(ReadFile(dir.File("r1.srt")), "the second log\r\n");
}

}  // namespace
}  // namespace tess
