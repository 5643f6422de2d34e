// Derivation of output names from an input path and the extensions.
#pragma once

#include <string>

#include "app/run_requests.h"

namespace tess {

/// Separator of path components in the base-name rule.
#ifdef _WIN32
constexpr char kPathSeparator = '\\';
#else
constexpr char kPathSeparator = '/';
#endif

/// The path without the extension of its last component (what follows the
/// last "." after the last separator); a last component without "." is kept.
std::string BaseName(const std::string& path, char separator = kPathSeparator);

/// The extension field's text with "." put in front when it holds none.
std::string NormalizeExtension(const std::string& text);

/// Prefix of the temporary section files of a log in file slot `slot`
/// (1 before, 2 after): its base name followed by ".(slot)".
std::string TempBaseFor(const std::string& logPath, int slot);

/// The files a run makes of the log in `slot`: its sort result is the base
/// name followed by `sortExtension`.
LogFiles FilesOfLog(const std::string& logPath, int slot, const std::string& sortExtension);

}  // namespace tess
