#include "app/window_model.h"

#include "app/output_names.h"
#include "compare/report_text.h"
#include "io/paths.h"

namespace tess {

namespace {
// The stored key of each extension field.
constexpr SettingKey kExtensionKey[3] = {SettingKey::SortExt1, SettingKey::SortExt2, SettingKey::DiffExt};
}  // namespace

void WindowModel::Load() {
  stored_ = store_.Load();
  for (int index = 1; index <= 3; ++index) {
    const std::string text = stored_.ExtensionText(kExtensionKey[Ext(index)]);
    if (text.empty()) continue;  // the field is empty already: nothing changes
    extensionText_[Ext(index)] = text;
    extension_[Ext(index)] = NormalizeExtension(text);
  }
  optionsInForce_ = stored_.CheckValue(SettingKey::EnableOpt);
  keepSortResults_ = stored_.CheckValue(SettingKey::StoreSort);
  for (const auto& [key, value] : StartUpWrites(stored_, /*normalize=*/true)) Store(key, value);
  DeriveOutputNames(1);
  DeriveOutputNames(2);
}

std::string WindowModel::TempBase(int slot) const { return TempBaseFor(Input(slot).Text, slot); }

void WindowModel::SetInputPath(int slot, const std::string& text) {
  if (input_[SideOf(slot)].Text == text) return;
  captionSuffix_.clear();
  input_[SideOf(slot)].Text = text;
  DeriveOutputNames(slot);
}

void WindowModel::SetResultPath(int slot, const std::string& text) {
  if (result_[SideOf(slot)].Text == text) return;
  captionSuffix_.clear();
  result_[SideOf(slot)].Text = text;
  RecolourResult(slot);
}

void WindowModel::SetReportPath(const std::string& text) {
  if (report_.Text == text) return;
  captionSuffix_.clear();
  report_.Text = text;
  RecolourReport();
}

void WindowModel::SetExtensionText(int index, const std::string& text) {
  if (index < 1 || index > 3 || extensionText_[Ext(index)] == text) return;
  captionSuffix_.clear();
  extensionText_[Ext(index)] = text;
  extension_[Ext(index)] = NormalizeExtension(text);
  DeriveOutputNames(index == 3 ? 2 : index);  // the report follows log 2
  Store(kExtensionKey[Ext(index)], extension_[Ext(index)]);
}

void WindowModel::SetOptionsInForce(int value) {
  if (optionsInForce_ == value) return;
  optionsInForce_ = value;
  Store(SettingKey::EnableOpt, std::to_string(value));
}

void WindowModel::SetKeepSortResults(int value) {
  if (keepSortResults_ == value) return;
  keepSortResults_ = value;
  Store(SettingKey::StoreSort, std::to_string(value));
}

void WindowModel::ClickFilterItem(FilterItem item) {
  if (InfoFilter::StandsAlone(item)) {
    filter_ = InfoFilter::Only(item);
    return;
  }
  for (int k = 0; k < kFilterItemCount; ++k) {
    const auto ticked = static_cast<FilterItem>(k);
    if (InfoFilter::StandsAlone(ticked)) filter_.Tick(ticked, false);
  }
  filter_.Tick(item, !filter_.Has(item));
  if (filter_ == InfoFilter()) filter_.Tick(FilterItem::All);
}

SortOptions WindowModel::CurrentSortOptions() const {
  SortOptions options;
  options.InForce = optionsInForce_ == 1;
  options.Order = options.InForce ? order_ : SortOrder::Destination;
  options.Filter = filter_;
  return options;
}

SortRequest WindowModel::MakeSortRequest(int slot) const {
  SortRequest request;
  request.Files = {Input(slot).Text, Result(slot).Text, TempBase(slot)};
  request.Options = CurrentSortOptions();
  // The other slot's log is an input of the window too: never sort over it.
  request.OtherInputs = {input_[OtherSide(SideOf(slot))].Text};
  return request;
}

CompareRequest WindowModel::MakeCompareRequest() const {
  CompareRequest request;
  request.Before = {Input(1).Text, Result(1).Text, TempBase(1)};
  request.After = {Input(2).Text, Result(2).Text, TempBase(2)};
  request.ReportPath = report_.Text;
  request.Filter = filter_;
  request.KeepSortResults = keepSortResults_ != 0;
  return request;
}

void WindowModel::RecolourResult(int slot) {
  ColouredPath& field = result_[SideOf(slot)];
  field.ForeColor = FileExists(field.Text) ? kRed : kWindowTextColor;
}

void WindowModel::RecolourReport() {
  report_.ForeColor = FileExists(report_.Text) ? kRed : kWindowTextColor;
}

bool WindowModel::CanViewReport() const { return !report_.Text.empty() && FileExists(report_.Text); }

void WindowModel::NoteRunProgress(int64_t read, int64_t total) {
  captionSuffix_ = " - 実行中 " + std::to_string(PercentRead(read, total)) + "%";
}

void WindowModel::NoteComparisonVerdict(int64_t differenceCount) {
  captionSuffix_ = " - " + VerdictWords(differenceCount);
}

void WindowModel::DeriveOutputNames(int slot) {
  const std::string& path = input_[SideOf(slot)].Text;
  canSort_[SideOf(slot)] = FileExists(path);
  const std::string base = BaseName(path);
  SetResultPath(slot, base + extension_[Ext(slot)]);
  if (slot == 2) SetReportPath(base + extension_[Ext(3)]);
}

void WindowModel::Store(SettingKey key, const std::string& value) {
  std::optional<std::string>& known = stored_.Stored[static_cast<size_t>(key)];
  if (known == value) return;
  known = value;
  store_.Write(key, value);
}

}  // namespace tess
