// Settings-file access: a private-profile (INI) file of sections and keys.
//
// Reading: a line ends at LF and the CRs just before it are dropped (CR LF,
// LF and CR CR LF all work); a file without any LF but with CRs is split at
// each CR. Keys and sections match without regard to case; the first
// matching section and, in it, the first matching key count.
//
// Writing is safe against other programs and other runs writing at the same
// time: see WriteSetting.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "io/status.h"

namespace tess {

/// The keys of one section of an INI file, read with a single file read.
class SettingsSnapshot {
 public:
  /// Reads `section` of the file at `path`. A missing or unreadable file, or
  /// a missing section, gives a snapshot without keys.
  static SettingsSnapshot Load(const std::string& path, const std::string& section);

  /// The value of `key`: trimmed of spaces and tabs, one pair of outer quotes
  /// removed, cut at its first NUL and at 254 bytes. nullopt when the key is
  /// missing; an empty string when it is present without a value.
  std::optional<std::string> Value(const std::string& key) const;

 private:
  std::vector<std::pair<std::string, std::string>> entries_;  // key, value; file order
};

/// Sets `key` to `value` in `section` of the INI file.
///
/// A symbolic link at `fileName` is followed (through a chain of links) and
/// its target written; the link stays. Writers exclude one another with an
/// exclusive lock on "<target>.lock", kept beside the target. Under the lock
/// the file is read again; when the key already holds the value nothing is
/// written. Otherwise the key's line is replaced, or the line is appended
/// after the last non-blank line of its section, or the section is appended
/// at the end; the file and its missing folders are created when missing.
/// Lines the write does not change keep their bytes and line ends; lines it
/// adds or replaces end in CR LF. The new content goes to a unique temporary
/// file beside the target, synced and given the target's permissions, and
/// replaces the target by a rename, so readers see the old or the new file,
/// never a part.
///
/// Fails, with the file untouched, when the file can not be read, written or
/// replaced, or when the section, key or value holds a line break (or the key
/// an "=", or the section a "]"), which would change other lines.
Status WriteSetting(const std::string& fileName, const std::string& section,
                    const std::string& key, const std::string& value);

/// `text` up to, not including, its first NUL character.
std::string CutAtNull(const std::string& text);

}  // namespace tess
