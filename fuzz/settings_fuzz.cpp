// The settings reader, and a write read back: the input is the settings
// file; its first byte picks a key and the value written is cut from it.
#include <string>

#include "app/settings_file.h"
#include "app/stored_settings.h"
#include "fuzz_support.h"

using namespace tess;
using namespace tess::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t pick = TakeByte(data, size);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ClearScratch();
  const std::string ini = ScratchFile("Tessaline.ini");
  WriteBytes(ini, bytes);

  const SettingsStore store(ini);
  const LoadedSettings loaded = store.Load();
  for (int k = 0; k < kSettingKeyCount; ++k) {
    const auto key = static_cast<SettingKey>(k);
    const auto& value = loaded[key];
    if (value) {
      FUZZ_CHECK(value->size() <= 254);
      FUZZ_CHECK(value->find('\0') == std::string::npos);
      FUZZ_CHECK(*value == SettingsSnapshot::Load(ini, "Tessaline").Value(KeyName(key)).value_or(""));
    }
    const int check = loaded.CheckValue(key);
    FUZZ_CHECK(check >= 0 && check <= 2);
    (void)loaded.Extension(key);
  }
  (void)StartUpWrites(loaded, (pick & 1) != 0);

  // A value without line breaks, NUL, outer spaces or quotes reads back as
  // written, and the other keys keep their values.
  const auto key = static_cast<SettingKey>(pick % kSettingKeyCount);
  std::string value(bytes.substr(0, (pick >> 3) % 24));
  for (char& c : value) {
    if (c == '\r' || c == '\n' || c == '\0' || c == '"' || c == ' ' || c == '\t' || c == '\'') c = 'x';
  }
  const Status st = WriteSetting(ini, "Tessaline", KeyName(key), value);
  FUZZ_CHECK(st.ok());
  const LoadedSettings after = store.Load();
  FUZZ_CHECK(after[key] && *after[key] == value);
  for (int k = 0; k < kSettingKeyCount; ++k) {
    if (k != static_cast<int>(key)) FUZZ_CHECK(after[static_cast<SettingKey>(k)] == loaded[static_cast<SettingKey>(k)]);
  }
  ExpectOnly({"Tessaline.ini", "Tessaline.ini.lock"});
  return 0;
}
