// A comparison as one self-contained HTML page, and the index page of a
// folder comparison. Pure functions of their arguments: no file is read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "compare/comparison_record.h"

namespace tess {

/// One compared log as the page describes it. `Path` is UTF-8 already.
struct LogFacts {
  std::string Path;
  int64_t Bytes = 0;
  std::string Modified;
};

/// What the page says besides the record.
struct PageFacts {
  LogFacts Before, After;
  std::string Version;     // the program's version
  std::string RunTime;     // when the run was made, as text
  std::string ReportName;  // the text report's file name, named where lines are left out
  int64_t DifferenceCount = 0;
};

/// A time as pages write it: local time, "2026-12-07 21:42:47".
std::string PageTime(std::time_t when);

/// Route lines of a whole table only one log has that the page shows; the
/// rest are counted and left to the text report.
inline constexpr size_t kPageWholeTableLines = 10000;

/// The page of one comparison: both logs, version and run time, the verdict,
/// a summary row per table, a table of contents, and per table with
/// differences its differences side by side. Each difference is one element
/// with data-kind="gone|new|changed" and data-table="NAME".
std::string ComparisonPage(const ComparisonRecord& record, const PageFacts& facts);

/// One pair of a folder comparison on the index page.
struct IndexRow {
  std::string Name;
  std::string Verdict;  // same | different | only-before | only-after | failed
  int64_t DifferenceCount = 0;
  std::string PageLink;  // relative to the index page; empty when the pair has no page
  std::string Error;     // for a failed pair
};

/// The index page of a folder comparison: one row per pair with its verdict,
/// its count and a link to its page.
std::string IndexPage(const std::vector<IndexRow>& rows, const std::string& beforeFolder,
                      const std::string& afterFolder, const std::string& version,
                      const std::string& runTime);

}  // namespace tess
