// The five settings: their keys, what start-up loads from them, and what a
// start writes back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tess {

enum class SettingKey { SortExt1, SortExt2, DiffExt, EnableOpt, StoreSort };
constexpr int kSettingKeyCount = 5;

/// The key's name in the settings file.
const char* KeyName(SettingKey key);

/// The settings as the file held them at start-up; a key missing from the
/// file is absent.
struct LoadedSettings {
  std::array<std::optional<std::string>, kSettingKeyCount> Stored;

  const std::optional<std::string>& operator[](SettingKey key) const {
    return Stored[static_cast<size_t>(key)];
  }
  /// The text an extension field starts with: the stored value, or for a
  /// missing key the default of a first start (".srt", ".srt", ".dif").
  std::string ExtensionText(SettingKey key) const;
  /// The extension in force at start-up: the field's text normalized, or
  /// empty when the key is present without a value.
  std::string Extension(SettingKey key) const;
  /// A check box's value from its stored text (0 when missing).
  int CheckValue(SettingKey key) const;
};

/// Where the settings live; without a place, the defaults apply and nothing
/// is stored.
class SettingsStore {
 public:
  explicit SettingsStore(std::optional<std::string> path = std::nullopt) : path_(std::move(path)) {}

  /// Reads all five keys with one read of the file.
  LoadedSettings Load() const;
  /// Stores one value; only that key's line changes. A write the system
  /// refuses is ignored: the program goes on with the value it has.
  void Write(SettingKey key, const std::string& value) const;
  const std::optional<std::string>& Path() const { return path_; }

 private:
  std::optional<std::string> path_;
};

/// A stored check value: the number the text begins with, rounded to the
/// nearest integer (halves to even); anything but 0, 1 or 2 counts as 0.
int CheckValueFromSetting(const std::string& text);

/// The writes of a start: the defaults of keys missing from the file, and
/// with `normalize` (the window's start) also stored values that loading
/// changes: an extension given its leading ".", a check value other than
/// the ticked design state rewritten as a number. In key order.
std::vector<std::pair<SettingKey, std::string>> StartUpWrites(const LoadedSettings& loaded,
                                                             bool normalize);

}  // namespace tess
