// Derivation of output names from an input path and the extensions.
#pragma once

#include <string>

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

}  // namespace tess
