#include "app/window_model.h"

#include "app/output_names.h"
#include "io/paths.h"

namespace tess {

namespace {
constexpr SettingKey kExtensionKey[4] = {SettingKey::SortExt1, SettingKey::SortExt1,
                                         SettingKey::SortExt2, SettingKey::DiffExt};
}  // namespace

void WindowModel::Load() {
  stored_ = store_.Load();
  for (int index = 1; index <= 3; ++index) {
    const std::string text = stored_.ExtensionText(kExtensionKey[index]);
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
  if (input_[Slot(slot)].Text == text) return;
  input_[Slot(slot)].Text = text;
  DeriveOutputNames(slot);
}

void WindowModel::SetResultPath(int slot, const std::string& text) {
  if (result_[Slot(slot)].Text == text) return;
  result_[Slot(slot)].Text = text;
  RecolourResult(slot);
}

void WindowModel::SetReportPath(const std::string& text) {
  if (report_.Text == text) return;
  report_.Text = text;
  RecolourReport();
}

void WindowModel::SetExtensionText(int index, const std::string& text) {
  if (index < 1 || index > 3 || extensionText_[Ext(index)] == text) return;
  extensionText_[Ext(index)] = text;
  extension_[Ext(index)] = NormalizeExtension(text);
  DeriveOutputNames(index == 3 ? 2 : index);  // the report follows log 2
  Store(kExtensionKey[index], extension_[Ext(index)]);
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
  if (item == FilterItem::All || item == FilterItem::DestinationAndMask ||
      item == FilterItem::DestinationOnly) {
    filter_ = InfoFilter::Only(item);
    return;
  }
  filter_.Tick(FilterItem::All, false);
  filter_.Tick(FilterItem::DestinationAndMask, false);
  filter_.Tick(FilterItem::DestinationOnly, false);
  filter_.Tick(item, !filter_.Has(item));
  const bool any = filter_.Has(FilterItem::Interface) || filter_.Has(FilterItem::Time) ||
                   filter_.Has(FilterItem::Cost) || filter_.Has(FilterItem::Protocol);
  if (!any) filter_.Tick(FilterItem::All);
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
  request.OtherInputs = {Input(3 - slot).Text};
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
  ColouredPath& field = result_[Slot(slot)];
  field.ForeColor = FileExists(field.Text) ? kRed : kWindowTextColor;
}

void WindowModel::RecolourReport() {
  report_.ForeColor = FileExists(report_.Text) ? kRed : kWindowTextColor;
}

void WindowModel::DeriveOutputNames(int slot) {
  const std::string& path = input_[Slot(slot)].Text;
  canSort_[Slot(slot)] = FileExists(path);
  const std::string base = BaseName(path);
  SetResultPath(slot, base + extension_[Ext(slot)]);
  if (slot == 2) SetReportPath(base + extension_[3]);
}

void WindowModel::Store(SettingKey key, const std::string& value) {
  std::optional<std::string>& known = stored_.Stored[static_cast<size_t>(key)];
  if (known == value) return;
  known = value;
  store_.Write(key, value);
}

}  // namespace tess
