// The summary of a folder comparison, one line per name and a total.
#pragma once

#include <string>
#include <vector>

#include "cli/folder_comparison.h"

namespace tess {

/// One line per pair in the pairs' order, names aligned: "NAME  same".
/// A single comparison prints its pair's line alone.
std::string SummaryLines(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                         const std::string& afterDir);

/// SummaryLines, then "N pairs: S same, D differ, O one-sided, F failed".
/// The folders are named as the user gave them.
std::string SummaryText(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                        const std::string& afterDir);

/// What the summary says of one pair: "same", "N differences", "only in
/// FOLDER" or "failed: FILE: reason".
std::string DescribePair(const PairResult& pair, const std::string& beforeDir, const std::string& afterDir);

/// 0 when every pair is the same, 2 when any failed, 1 otherwise.
int FolderExitCode(const std::vector<PairResult>& pairs);

}  // namespace tess
