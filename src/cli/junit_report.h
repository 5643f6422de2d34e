// Comparisons as JUnit XML, the test report that CI systems (Jenkins,
// GitLab) read: one test case per pair, a failure for a pair that differs
// or is in one folder only, an error for a pair that failed.
#pragma once

#include <string>
#include <vector>

#include "cli/folder_comparison.h"
#include "io/status.h"

namespace tess {

/// The lines of the report a failure's text shows at most.
constexpr size_t kJunitDifferenceLines = 20;

/// The document of `pairs`: one testsuite "tessaline" with the counts of
/// tests, failures and errors, one testcase per pair named after its log.
/// A failure's text is the pair's summary ("3 differences") and the first
/// difference lines of its report; the pairs need their records for them.
/// `beforeDir` and `afterDir` are the folders as given (empty for a single
/// comparison).
std::string JunitXml(const std::vector<PairResult>& pairs, const std::string& beforeDir,
                     const std::string& afterDir);

enum class XmlPlace { kText, kAttribute };

/// `text` escaped for `place`: UTF-8 (bytes that are not become U+FFFD),
/// markup characters as entities, control characters other than tab and
/// line feed (and the two non-characters XML cannot hold) as U+FFFD; in an
/// attribute tab and line feed as character references, which parsers keep.
std::string XmlEscaped(const std::string& text, XmlPlace place);

/// Refuses, before any pair runs, a JUnit file at `path` that would replace
/// a log of the run or one of its outputs (a report, a kept sort result).
/// `requests[i]` belongs to `pairs[i]`, as PlanFolderComparison gives them.
Status CheckJunitTarget(const std::string& path, const std::vector<PairResult>& pairs,
                        const std::vector<CompareRequest>& requests);

/// Replaces the file at `path` with `document` in one rename; a failure
/// names `path` and leaves no file behind.
Status WriteJunitFile(const std::string& path, const std::string& document);

}  // namespace tess
