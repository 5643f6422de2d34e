// Settings-file access: a private-profile (INI) file of sections and keys.
#pragma once

#include <optional>
#include <string>

namespace tess {

/// The value of `key` in `section` of the INI file, at most 254 bytes; empty
/// when the file, section or key is missing. Keys and sections match
/// without regard to case.
std::string ReadSetting(const std::string& fileName, const std::string& section,
                        const std::string& key);
/// As ReadSetting, but tells a missing key (nullopt) from an empty value.
std::optional<std::string> ReadSettingIfPresent(const std::string& fileName,
                                                const std::string& section,
                                                const std::string& key);
/// Sets `key` to `value`, replacing the key's line or appending it to its
/// section, and creating the section and the file when missing. Other lines
/// are kept as they are. A failure is ignored.
void WriteSetting(const std::string& fileName, const std::string& section, const std::string& key,
                  const std::string& value);
/// `text` up to, not including, its first NUL character.
std::string CutAtNull(const std::string& text);
}  // namespace tess
