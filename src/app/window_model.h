// What the main window shows and holds, as plain values: the path fields
// with their colours, the extension fields, the two check boxes, the sort
// order and the filter, and which commands can run. Its edits keep the
// output names, colours and stored settings in step, as typing into the
// window would; it turns its fields into run requests. The Qt window shows
// it; nothing here needs a toolkit.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "app/run_requests.h"
#include "app/stored_settings.h"
#include "compare/side.h"

namespace tess {

/// Text colours in blue-green-red order.
constexpr uint32_t kWindowTextColor = 0x80000008;  // the system's window-text colour
constexpr uint32_t kRed = 0x0000FF;                // the named file exists
constexpr uint32_t kBlue = 0xFF0000;               // a run that writes it is under way

struct ColouredPath {
  std::string Text;
  uint32_t ForeColor = kWindowTextColor;
};

class WindowModel {
 public:
  explicit WindowModel(SettingsStore store = SettingsStore()) : store_(std::move(store)) {}

  /// Start-up: the stored settings into their fields (writing back what
  /// loading changes, and the defaults of a first start), then the output
  /// names of both slots derived from the empty inputs.
  void Load();

  // Fields, numbered as in the window: slots are 1 (log 1, before) and 2
  // (log 2, after), extension fields 1 and 2 the sort results', 3 the
  // report's.
  const ColouredPath& Input(int slot) const { return input_[SideOf(slot)]; }
  const ColouredPath& Result(int slot) const { return result_[SideOf(slot)]; }
  const ColouredPath& Report() const { return report_; }
  const std::string& ExtensionText(int index) const { return extensionText_[Ext(index)]; }
  std::string TempBase(int slot) const;
  /// The check boxes' values: 0, 1, or 2 (greyed, only from a hand-edited file).
  int OptionsInForce() const { return optionsInForce_; }
  int KeepSortResults() const { return keepSortResults_; }
  SortOrder Order() const { return order_; }
  const InfoFilter& Filter() const { return filter_; }
  bool CanSort(int slot) const { return canSort_[SideOf(slot)]; }
  bool CanCompare() const { return canSort_[Side::Before] && canSort_[Side::After]; }
  /// The sort order and filter can be chosen only while the options are in force.
  bool OptionsChoosable() const { return optionsInForce_ == 1; }

  // Edits. Each does nothing when the value does not change.
  /// A new input re-derives its slot's temporary base, sort result (and for
  /// slot 2 the report) and whether it can be sorted.
  void SetInputPath(int slot, const std::string& text);
  void SetResultPath(int slot, const std::string& text);
  void SetReportPath(const std::string& text);
  /// Normalizes and stores the extension and re-derives the names it shapes.
  void SetExtensionText(int index, const std::string& text);
  void SetOptionsInForce(int value);
  void SetKeepSortResults(int value);
  /// The menu items flip their check box; a greyed box flips like an unticked one.
  void ToggleOptionsInForce() { SetOptionsInForce(optionsInForce_ == 1 ? 0 : 1); }
  void ToggleKeepSortResults() { SetKeepSortResults(keepSortResults_ == 1 ? 0 : 1); }
  void ChooseSortOrder(SortOrder order) { order_ = order; }
  /// An item that stands alone (InfoFilter::StandsAlone) becomes the whole
  /// filter; the others toggle and combine, and taking away the last one
  /// falls back to All.
  void ClickFilterItem(FilterItem item);

  // Runs.
  SortOptions CurrentSortOptions() const;
  SortRequest MakeSortRequest(int slot) const;
  CompareRequest MakeCompareRequest() const;
  /// Blue while a run writes the field's file.
  void MarkResultRunning(int slot) { result_[SideOf(slot)].ForeColor = kBlue; }
  void MarkReportRunning() { report_.ForeColor = kBlue; }
  /// Red when the field's file exists, the window-text colour otherwise.
  void RecolourResult(int slot);
  void RecolourReport();
  /// Whether the report field names a file that can be shown.
  bool CanViewReport() const;

  // The caption's end: " - 実行中 NN%" while a run goes on, " - " and the
  // report's verdict after a comparison until the next run or an edit of a
  // field, nothing otherwise. UTF-8.
  const std::string& CaptionSuffix() const { return captionSuffix_; }
  /// A run has read `read` bytes of the `total` of its log(s).
  void NoteRunProgress(int64_t read, int64_t total);
  /// A comparison ended with a report of `differenceCount` differences.
  void NoteComparisonVerdict(int64_t differenceCount);
  /// A run ended without a verdict to show (a sort, a failure).
  void ClearCaptionSuffix() { captionSuffix_.clear(); }

 private:
  static Side SideOf(int slot) { return slot == 1 ? Side::Before : Side::After; }
  static size_t Ext(int index) { return static_cast<size_t>(index - 1); }
  void DeriveOutputNames(int slot);
  void Store(SettingKey key, const std::string& value);

  SettingsStore store_;
  std::string captionSuffix_;
  LoadedSettings stored_;  // what the settings file holds, as far as this window knows
  PerSide<ColouredPath> input_, result_;
  ColouredPath report_;
  PerSide<bool> canSort_;
  std::array<std::string, 3> extensionText_, extension_;
  int optionsInForce_ = 1;   // ticked in the window's design
  int keepSortResults_ = 1;  // ticked in the window's design
  SortOrder order_ = SortOrder::Destination;
  InfoFilter filter_ = InfoFilter::Only(FilterItem::All);
};

}  // namespace tess
