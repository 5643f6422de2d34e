// The HTML index page of a folder comparison run with --html: one row per
// pair with its verdict, count and a link to its page.
#pragma once

#include <string>
#include <vector>

#include "cli/folder_comparison.h"
#include "io/status.h"

namespace tess {

/// Writes the index page of `pairs` to `path` (in the folder of their
/// pages), replacing it whole or not at all.
Status WriteIndexPage(const std::string& path, const std::vector<PairResult>& pairs, const std::string& beforeDir,
                      const std::string& afterDir);

}  // namespace tess
