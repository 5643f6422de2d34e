// Comparisons as a JSON document, for pipelines: per pair its verdict, its
// tables and its differences, exactly as its report has them.
#pragma once

#include <string>
#include <vector>

#include "cli/folder_comparison.h"

namespace tess {

/// The document of `pairs` (docs/json.md); `beforeDir` and `afterDir` are
/// the folders as given, empty for a single comparison. Every string is
/// UTF-8: file names with bytes that are not become U+FFFD.
std::string ComparisonJson(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                           const std::string& afterDir);

/// `text` as a JSON string literal, quotes included.
std::string JsonString(const std::string& text);

}  // namespace tess
