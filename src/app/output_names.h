// Derivation of output names from an input path and the extensions.
#pragma once

#include <string>

#include "app/run_requests.h"
#include "io/paths.h"

namespace tess {

/// The path without the extension of its last component (what follows the
/// last "." after the last separator); a last component without "." is kept.
std::string BaseName(const std::string& path, char separator = kPathSeparator);

/// The extension field's text with "." put in front when it holds none.
std::string NormalizeExtension(const std::string& text);

/// Where the outputs of a log are named from: its base name beside it, or
/// with an `outputDir` the last component of the base name in that folder.
std::string OutputBase(const std::string& logPath, const std::string& outputDir = "");

/// The one temporary file of a log in file slot `slot` (1 before, 2 after),
/// which holds its tables one after another while it is sorted: its output
/// base followed by ".(1)" or ".(2)", the log's name with its extension
/// changed.
std::string TempBaseFor(const std::string& logPath, int slot, const std::string& outputDir = "");

/// The files a run makes of the log in `slot`: its sort result is the output
/// base followed by `sortExtension`.
LogFiles FilesOfLog(const std::string& logPath, int slot, const std::string& sortExtension,
                    const std::string& outputDir = "");

}  // namespace tess
