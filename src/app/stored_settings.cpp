#include "app/stored_settings.h"

#include <cmath>
#include <cstdlib>

#include "app/output_names.h"
#include "app/settings_file.h"

namespace tess {

namespace {

constexpr const char* kSection = "Tessaline";
constexpr SettingKey kExtensionKeys[] = {SettingKey::SortExt1, SettingKey::SortExt2,
                                         SettingKey::DiffExt};
constexpr SettingKey kCheckKeys[] = {SettingKey::EnableOpt, SettingKey::StoreSort};
// Both check boxes are ticked in the window's design.
constexpr int kDesignCheckValue = 1;

size_t Index(SettingKey key) { return static_cast<size_t>(key); }

// The number a text begins with (spaces, sign, digits, fraction, exponent).
double LeadingNumber(const std::string& text) {
  size_t p = text.find_first_not_of(" \t");
  if (p == std::string::npos) return 0;
  const size_t start = p;
  auto digits = [&] {
    const size_t from = p;
    while (p < text.size() && text[p] >= '0' && text[p] <= '9') ++p;
    return p > from;
  };
  if (text[p] == '+' || text[p] == '-') ++p;
  bool any = digits();
  if (p < text.size() && text[p] == '.') {
    ++p;
    any = digits() || any;
  }
  if (!any) return 0;
  size_t end = p;
  if (p < text.size() && (text[p] == 'e' || text[p] == 'E')) {
    ++p;
    if (p < text.size() && (text[p] == '+' || text[p] == '-')) ++p;
    if (digits()) end = p;
  }
  return std::strtod(text.substr(start, end - start).c_str(), nullptr);
}

}  // namespace

const char* KeyName(SettingKey key) {
  static constexpr const char* kNames[kSettingKeyCount] = {"SortExt1", "SortExt2", "DiffExt",
                                                           "EnableOpt", "StoreSort"};
  return kNames[Index(key)];
}

int CheckValueFromSetting(const std::string& text) {
  const double rounded = std::nearbyint(LeadingNumber(text));
  return (rounded == 0 || rounded == 1 || rounded == 2) ? static_cast<int>(rounded) : 0;
}

std::string LoadedSettings::ExtensionText(SettingKey key) const {
  if ((*this)[key]) return *(*this)[key];
  return key == SettingKey::DiffExt ? ".dif" : ".srt";
}

std::string LoadedSettings::Extension(SettingKey key) const {
  const std::string text = ExtensionText(key);
  return text.empty() ? text : NormalizeExtension(text);
}

int LoadedSettings::CheckValue(SettingKey key) const {
  return CheckValueFromSetting((*this)[key].value_or(""));
}

LoadedSettings SettingsStore::Load() const {
  LoadedSettings loaded;
  if (!path_) return loaded;
  const SettingsSnapshot snapshot = SettingsSnapshot::Load(*path_, kSection);
  for (int k = 0; k < kSettingKeyCount; ++k) {
    loaded.Stored[static_cast<size_t>(k)] = snapshot.Value(KeyName(static_cast<SettingKey>(k)));
  }
  return loaded;
}

void SettingsStore::Write(SettingKey key, const std::string& value) const {
  if (path_) WriteSetting(*path_, kSection, KeyName(key), value);
}

std::vector<std::pair<SettingKey, std::string>> StartUpWrites(const LoadedSettings& loaded,
                                                             bool normalize) {
  std::vector<std::pair<SettingKey, std::string>> writes;
  for (SettingKey key : kExtensionKeys) {
    const std::string text = loaded.ExtensionText(key);
    // A present but empty value leaves its field empty, and nothing runs.
    if (text.empty()) continue;
    const std::string value = normalize ? NormalizeExtension(text) : text;
    if (loaded[key] != value) writes.emplace_back(key, value);
  }
  for (SettingKey key : kCheckKeys) {
    const int value = loaded.CheckValue(key);
    const std::string text = std::to_string(value);
    if (!loaded[key] || (normalize && value != kDesignCheckValue && *loaded[key] != text)) {
      writes.emplace_back(key, text);
    }
  }
  return writes;
}

}  // namespace tess
