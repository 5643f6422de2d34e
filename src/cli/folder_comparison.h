// A change window at once: every log of a folder of captures taken before a
// change compared with the log of the same name taken after it, the pairs
// on several threads.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/run_requests.h"
#include "io/status.h"

namespace tess {

/// What every comparison of a batch run shares: the extensions in force, the
/// output folder, and what the request carries beyond the two logs.
struct ComparisonSettings {
  std::string SortExtension1 = ".srt";
  std::string SortExtension2 = ".srt";
  std::string ReportExtension = ".dif";
  std::string OutputDir;  // empty: outputs beside the logs
  InfoFilter Filter = InfoFilter::Only(FilterItem::All);
  bool KeepSortResults = false;
  bool RecordDifferences = false;
  bool HtmlPages = false;  // an HTML page beside each report
};

/// The extension of the HTML page beside a report.
inline constexpr const char* kPageExtension = ".html";
/// The HTML index page of a folder comparison, in its output folder.
inline constexpr const char* kIndexPageName = "index.html";

/// Where the index page of a folder comparison of `afterDir` goes.
std::string IndexPagePath(const std::string& afterDir, const ComparisonSettings& settings);

/// The comparison of log `before` with log `after`.
CompareRequest ComparisonOf(const std::string& before, const std::string& after,
                            const ComparisonSettings& settings);

enum class PairVerdict { Same, Different, OnlyBefore, OnlyAfter, Failed };

/// The verdict as the JSON document, the JUnit file and the index page name
/// it: same, different, only-before, only-after, failed.
const char* VerdictName(PairVerdict verdict);

/// One name of a folder comparison (or the one pair of a single comparison).
struct PairResult {
  std::string Name;
  std::string BeforePath;  // empty when the name is in the after folder only
  std::string AfterPath;   // empty when the name is in the before folder only
  std::string ReportPath;  // empty for a name in one folder only
  std::string PagePath;    // its HTML page; empty without one
  PairVerdict Verdict = PairVerdict::Failed;
  CompareOutcome Outcome;
};

/// How many pairs have each verdict.
struct VerdictCounts {
  size_t Same = 0, Different = 0, OneSided = 0, Failed = 0;
};
VerdictCounts CountVerdicts(const std::vector<PairResult>& pairs);

/// The verdict of a comparison's outcome: Failed also when it ran without
/// comparing anything (CompareOutcome::NotCompared).
PairVerdict VerdictOf(const CompareOutcome& outcome);
/// Why a Failed pair failed: its run's status, or what kept it from comparing.
const Status& FailureOf(const CompareOutcome& outcome);

/// The pairs of two folders in name order, with a request for each name
/// found in both (`requests[i]` belongs to `pairs[i]`; a one-sided name has
/// its verdict already). Each folder is read once; hidden files, temporary
/// files of earlier runs, subfolders, and sort results and reports of
/// earlier runs (names ending in an extension in force) are no logs.
/// Fails, naming the file, when a folder cannot be read or when two pairs
/// would write one output file.
Status PlanFolderComparison(const std::string& beforeDir, const std::string& afterDir,
                            const ComparisonSettings& settings, std::vector<PairResult>& pairs,
                            std::vector<CompareRequest>& requests);

/// Runs the requests of the pairs that have one on `jobs` threads and fills
/// in their outcomes and verdicts. `done` is called (on any thread, one call
/// at a time) after each pair. The results do not depend on `jobs`.
void RunPairs(std::vector<PairResult>& pairs, const std::vector<CompareRequest>& requests, int jobs,
              const std::function<void(size_t finished, size_t total, const PairResult&)>& done = {});

}  // namespace tess
