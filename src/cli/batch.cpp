#include "cli/batch.h"

#include <algorithm>
#include <iostream>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "cli/batch_options.h"
#include "app/compare_logs.h"
#include "cli/folder_comparison.h"
#include "cli/json_report.h"
#include "app/output_names.h"
#include "app/sort_log.h"
#include "app/stored_settings.h"
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
  comparison.RecordDifferences = options.Json;
  return comparison;
}

bool IsFolder(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

// "[3/50] r7.log" on one line of the terminal, overwritten by the next.
class ProgressLine {
 public:
  explicit ProgressLine(std::ostream& err) : err_(err), shown_(&err == &std::cerr && ::isatty(2)) {}
  ~ProgressLine() {
    if (shown_ && width_ > 0) err_ << "\r" << std::string(width_, ' ') << "\r" << std::flush;
  }
  void Show(size_t finished, size_t total, const std::string& name) {
    if (!shown_) return;
    const std::string line = "[" + std::to_string(finished) + "/" + std::to_string(total) + "] " + name;
    err_ << "\r" << line << std::string(width_ > line.size() ? width_ - line.size() : 0, ' ') << std::flush;
    width_ = std::max(width_, line.size());
  }

 private:
  std::ostream& err_;
  bool shown_;
  size_t width_ = 0;
};

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

int RunFolderComparison(const BatchOptions& options, const ComparisonSettings& comparison,
                        std::ostream& out, std::ostream& err) {
  const std::string& beforeDir = options.Files[0];
  const std::string& afterDir = options.Files[1];
  std::vector<PairResult> pairs;
  std::vector<CompareRequest> requests;
  if (Status st = PlanFolderComparison(beforeDir, afterDir, comparison, pairs, requests); !st.ok()) {
    return Fail(err, st);
  }
  const int jobs = options.Jobs.value_or(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
  {
    ProgressLine progress(err);
    RunPairs(pairs, requests, jobs, [&](size_t finished, size_t total, const PairResult& pair) {
      progress.Show(finished, total, pair.Name);
    });
  }
  out << (options.Json ? ComparisonJson(pairs, beforeDir, afterDir) : SummaryText(pairs, beforeDir, afterDir));
  return FolderExitCode(pairs);
}

int RunComparison(const BatchOptions& options, const ComparisonSettings& comparison,
                  std::ostream& out, std::ostream& err) {
  const std::string& before = options.Files[0];
  const std::string& after = options.Files[1];
  if (IsFolder(before) != IsFolder(after)) {
    return Fail(err, Status::Fail(ErrorCode::LogComparedWithFolder, IsFolder(before) ? after : before));
  }
  if (IsFolder(before)) return RunFolderComparison(options, comparison, out, err);
  PairResult pair;
  const CompareRequest request = ComparisonOf(before, after, comparison);
  pair.Name = NameOf(after);
  pair.BeforePath = before;
  pair.AfterPath = after;
  pair.ReportPath = request.ReportPath;
  pair.Outcome = CompareLogs(request);
  pair.Verdict = VerdictOf(pair.Outcome);
  if (options.Json) out << ComparisonJson({pair}, "", "");
  // A log without route lines: the report is published, but nothing was
  // compared, so the run does not end as a success.
  if (pair.Verdict == PairVerdict::Failed) return Fail(err, FailureOf(pair.Outcome));
  return pair.Outcome.DifferenceCount == 0 ? kExitOk : kExitDifferent;
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
  if (!compare && (options.Json || options.Jobs)) {
    return UsageFailure(err, "--json and --jobs apply to comparisons only");
  }
  if (options.OutputDir && !IsFolder(*options.OutputDir)) {
    return Fail(err, Status::Fail(ErrorCode::OutputFolderMissing, *options.OutputDir));
  }

  const SettingsStore store(settingsPath);
  const LoadedSettings settings = store.Load();
  for (const auto& [key, value] : StartUpWrites(settings, /*normalize=*/false)) store.Write(key, value);

  if (!compare) {
    const SortOutcome outcome = SortLog(BatchSortRequest(options, settings));
    if (!outcome.status.ok()) return Fail(err, outcome.status);
    WarnWithoutRoutes(err, options.Files[0], outcome.Index.RouteLineCount);
    return kExitOk;
  }
  return RunComparison(options, BatchComparisonSettings(options, settings), out, err);
}

}  // namespace tess
