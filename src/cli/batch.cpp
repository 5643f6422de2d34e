#include "cli/batch.h"

#include <algorithm>
#include <sys/stat.h>
#include <thread>

#include "cli/batch_options.h"
#include "app/compare_logs.h"
#include "cli/folder_comparison.h"
#include "cli/index_page.h"
#include "cli/json_report.h"
#include "cli/junit_report.h"
#include "app/output_names.h"
#include "app/sort_log.h"
#include "app/stored_settings.h"
#include "cli/progress_line.h"
#include "cli/summary_text.h"
#include "io/paths.h"

namespace tess {

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDifferent = 1;
constexpr int kExitFailure = 2;

// --order and --filter put the options in force for this run only; without
// them the stored "EnableOpt" decides, with the design order and filter.
SortOptions BatchSortOptions(const BatchOptions& options, const LoadedSettings& settings) {
  SortOptions sort;
  if (options.Order || options.Filter) {
    sort.InForce = true;
    sort.Order = options.Order.value_or(SortOrder::Destination);
    sort.Filter = options.Filter.value_or(InfoFilter::Only(FilterItem::All));
  } else {
    sort.InForce = settings.CheckValue(SettingKey::EnableOpt) == 1;
  }
  return sort;
}

SortRequest BatchSortRequest(const BatchOptions& options, const LoadedSettings& settings) {
  SortRequest request;
  request.Files = FilesOfLog(options.Files[0], 1, settings.Extension(SettingKey::SortExt1),
                             options.OutputDir.value_or(""));
  request.Options = BatchSortOptions(options, settings);
  return request;
}

ComparisonSettings BatchComparisonSettings(const BatchOptions& options, const LoadedSettings& settings) {
  ComparisonSettings comparison;
  comparison.SortExtension1 = settings.Extension(SettingKey::SortExt1);
  comparison.SortExtension2 = settings.Extension(SettingKey::SortExt2);
  comparison.ReportExtension = settings.Extension(SettingKey::DiffExt);
  comparison.OutputDir = options.OutputDir.value_or("");
  comparison.Filter = options.Filter.value_or(InfoFilter::Only(FilterItem::All));
  // Any value but 0 keeps them, as the window's check box does.
  comparison.KeepSortResults = settings.CheckValue(SettingKey::StoreSort) != 0;
  // The JSON document and the JUnit failures show the differences.
  comparison.RecordDifferences = options.Json || options.Junit.has_value();
  comparison.HtmlPages = options.Html;
  return comparison;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

int Fail(std::ostream& err, const Status& status) {
  err << "tessaline: " << EscapeControlCharacters(status.Message()) << "\n";
  return kExitFailure;
}

// A command line that cannot run: one line, then where the help is.
int UsageFailure(std::ostream& err, const std::string& reason) {
  err << UsageErrorText(reason);
  return kExitFailure;
}

// A log in which no line parsed as a route is most likely not "show ip
// route" output (another platform's, or the wrong file): a sort says so on
// standard error and still succeeds (its result holds every line).
void WarnWithoutRoutes(std::ostream& err, const std::string& log, int64_t routeLines) {
  if (routeLines == 0) err << "tessaline: warning: " << ShownFileName(log) << ": no route lines found\n";
}

// With --junit, refused before any run when it would replace a log or an
// output of the run.
Status CheckJunit(const BatchOptions& options, const std::vector<PairResult>& pairs,
                  const std::vector<CompareRequest>& requests) {
  return options.Junit ? CheckJunitTarget(*options.Junit, pairs, requests) : Status::Ok();
}

// With --junit, the document of the pairs that ran, written after them.
Status WriteJunit(const BatchOptions& options, const std::vector<PairResult>& pairs,
                  const std::string& beforeDir, const std::string& afterDir) {
  if (!options.Junit) return Status::Ok();
  return WriteJunitFile(*options.Junit, JunitXml(pairs, beforeDir, afterDir));
}

int RunFolderComparison(const BatchOptions& options, const ComparisonSettings& comparison,
                        std::ostream& out, std::ostream& err) {
  const std::string& beforeDir = options.Files[0];
  const std::string& afterDir = options.Files[1];
  std::vector<PairResult> pairs;
  std::vector<CompareRequest> requests;
  if (Status st = PlanFolderComparison(beforeDir, afterDir, comparison, pairs, requests); !st.ok()) {
    return Fail(err, st);
  }
  if (Status st = CheckJunit(options, pairs, requests); !st.ok()) return Fail(err, st);
  const int jobs = options.Jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
  {
    ProgressLine progress(err);
    RunPairs(pairs, requests, jobs, [&](size_t finished, size_t total, const PairResult& pair) {
      progress.Show("[" + std::to_string(finished) + "/" + std::to_string(total) + "] " + pair.Name);
    });
  }
  out << (options.Json ? ComparisonJson(pairs, beforeDir, afterDir) : SummaryText(pairs, beforeDir, afterDir));
  if (options.Html) {
    if (Status st = WriteIndexPage(IndexPagePath(afterDir, comparison), pairs, beforeDir, afterDir); !st.ok()) {
      return Fail(err, st);
    }
  }
  if (Status st = WriteJunit(options, pairs, beforeDir, afterDir); !st.ok()) return Fail(err, st);
  return FolderExitCode(pairs);
}

// Two logs: the pair's line of the folder summary (or the JSON document),
// then the JUnit file.
int RunComparison(const BatchOptions& options, const ComparisonSettings& comparison,
                  std::ostream& out, std::ostream& err) {
  const std::string& before = options.Files[0];
  const std::string& after = options.Files[1];
  if (IsFolder(before) != IsFolder(after)) {
    return Fail(err, Status::Fail(ErrorCode::LogComparedWithFolder, IsFolder(before) ? after : before));
  }
  if (IsFolder(before)) return RunFolderComparison(options, comparison, out, err);
  std::vector<PairResult> pairs(1);
  std::vector<CompareRequest> requests = {ComparisonOf(before, after, comparison)};
  PairResult& pair = pairs[0];
  pair.Name = NameOf(after);
  pair.BeforePath = before;
  pair.AfterPath = after;
  pair.ReportPath = requests[0].ReportPath;
  pair.PagePath = requests[0].PagePath;
  if (Status st = CheckJunit(options, pairs, requests); !st.ok()) return Fail(err, st);
  {
    ReadProgress progress(err, pair.Name, FileSizeOrZero(before) + FileSizeOrZero(after));
    requests[0].BytesRead = progress.Counter();
    pair.Outcome = CompareLogs(requests[0]);
  }
  pair.Verdict = VerdictOf(pair.Outcome);
  // A run that reached its report has a verdict to print; one that failed
  // before says why on standard error only.
  if (options.Json) {
    out << ComparisonJson(pairs, "", "");
  } else if (pair.Outcome.status.ok()) {
    out << SummaryLines(pairs, "", "");
  }
  const Status junit = WriteJunit(options, pairs, "", "");
  int code = pair.Outcome.DifferenceCount == 0 ? kExitOk : kExitDifferent;
  // A log without route lines: the report is published, but nothing was
  // compared, so the run does not end as a success.
  if (pair.Verdict == PairVerdict::Failed) code = Fail(err, FailureOf(pair.Outcome));
  if (!junit.ok()) code = Fail(err, junit);
  return code;
}

int RunSort(const BatchOptions& options, const LoadedSettings& settings, std::ostream& err) {
  const std::string& log = options.Files[0];
  SortRequest request = BatchSortRequest(options, settings);
  SortOutcome outcome;
  {
    ReadProgress progress(err, NameOf(log), FileSizeOrZero(log));
    request.BytesRead = progress.Counter();
    outcome = SortLog(request);
  }
  if (!outcome.status.ok()) return Fail(err, outcome.status);
  WarnWithoutRoutes(err, log, outcome.Index.RouteLineCount);
  return kExitOk;
}

}  // namespace

int RunBatch(const std::vector<std::string>& args, const std::optional<std::string>& settingsPath,
             std::ostream& out, std::ostream& err) {
  BatchOptions options;
  if (Status st = ParseBatchOptions(args, options); !st.ok()) return UsageFailure(err, st.reason());
  if (options.Help) {
    out << UsageText();
    return kExitOk;
  }
  if (options.Version) {
    out << VersionText();
    return kExitOk;
  }
  if (options.View) return UsageFailure(err, "--view shows a report in a window, not in a batch run");
  if (options.Files.empty()) return UsageFailure(err, "no log file given");
  // One log is sorted, two logs or two folders are compared; a third name
  // is refused rather than ignored (a glob such as *.log would otherwise
  // compare its first two matches without a word).
  if (options.Files.size() > 2) {
    return UsageFailure(err, "too many files: " + ShownFileName(options.Files[2]));
  }
  const bool compare = options.Files.size() == 2;
  if (compare && options.Order) {
    return UsageFailure(err, "--order applies to a sort only (a comparison always sorts by destination)");
  }
  if (!compare && (options.Json || options.Html || options.Junit || options.Jobs)) {
    return UsageFailure(err, "--json, --html, --junit and --jobs apply to comparisons only");
  }
  if (options.OutputDir && !IsFolder(*options.OutputDir)) {
    return Fail(err, Status::Fail(ErrorCode::OutputFolderMissing, *options.OutputDir));
  }

  const SettingsStore store(settingsPath);
  const LoadedSettings settings = store.Load();
  for (const auto& [key, value] : StartUpWrites(settings, /*normalize=*/false)) store.Write(key, value);

  if (!compare) return RunSort(options, settings, err);
  return RunComparison(options, BatchComparisonSettings(options, settings), out, err);
}

}  // namespace tess
