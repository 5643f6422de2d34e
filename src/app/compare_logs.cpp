#include "app/compare_logs.h"

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

#include "app/version.h"

#include "compare/comparison_report.h"
#include "compare/html_page.h"
#include "compare/utf8_text.h"
#include "io/line_writer.h"
#include "io/staged_file.h"
#include "io/paths.h"
#include "io/two_at_once.h"
#include "sorter/sort_into_file.h"
#include "sorter/split_tables.h"

namespace tess {

namespace {

// Refuses a comparison whose outputs would overwrite an input, whose report
// would overwrite a sort result, or whose two kept sort results are one file
// for two different logs (the second would replace the first).
Status RefuseOverwritingAnInput(const CompareRequest& r) {
  const std::string& in1 = r.Before.LogPath;
  const std::string& in2 = r.After.LogPath;
  const std::string& out1 = r.Before.ResultPath;
  const std::string& out2 = r.After.ResultPath;
  for (const std::string* output : {&out1, &out2, &r.ReportPath, &r.PagePath}) {
    if (!output->empty() && (SameFile(*output, in1) || SameFile(*output, in2))) {
      return Status::Fail(ErrorCode::ComparisonOutputWouldOverwriteInput, *output);
    }
  }
  if (SameFile(r.ReportPath, out1) || SameFile(r.ReportPath, out2)) {
    return Status::Fail(ErrorCode::ReportWouldOverwriteResult, r.ReportPath);
  }
  if (!r.PagePath.empty() &&
      (SameFile(r.PagePath, r.ReportPath) || SameFile(r.PagePath, out1) || SameFile(r.PagePath, out2))) {
    return Status::Fail(ErrorCode::PageWouldOverwriteOutput, r.PagePath);
  }
  // Results that are not kept never reach their names: only kept ones collide.
  if (r.KeepSortResults && SameFile(out1, out2) && !SameFile(in1, in2)) {
    return Status::Fail(ErrorCode::BothResultsOneFile, out2);
  }
  return Status::Ok();
}

// An output is written beside its final name and renamed onto it: the name
// must not be a folder, and its folder must take new files.
Status CheckWritable(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return Status::FromErrno(path, EISDIR);
  if (::access(FolderOf(path).c_str(), W_OK | X_OK) != 0) return Status::FromErrno(path, errno);
  return Status::Ok();
}

Status CheckInputsThenOutputs(const CompareRequest& r) {
  for (const std::string* input : {&r.Before.LogPath, &r.After.LogPath}) {
    if (Status st = CheckReadable(*input); !st.ok()) return st;
  }
  for (const std::string* output : {&r.Before.ResultPath, &r.After.ResultPath, &r.ReportPath, &r.PagePath}) {
    if (output->empty()) continue;
    if (Status st = CheckWritable(*output); !st.ok()) return st;
  }
  return Status::Ok();
}

// Sorts one log into a temporary file beside its sort result, which stays
// unpublished in `result`; the request's Stop and BytesRead apply to it.
Status SortStaged(const LogFiles& files, const SortOptions& options, const CompareRequest& r,
                  LineWriter& result, SortedLog& sorted) {
  if (Status st = result.Create(files.ResultPath, LineWriter::Mode::kReplaceOnCommit); !st.ok()) {
    return st;
  }
  sorted.LogPath = files.LogPath;
  if (Status st = SortIntoFile(files.LogPath, files.TempBase, files.ResultPath, options, result,
                               sorted.Index, r.Stop, r.BytesRead);
      !st.ok()) {
    return st;
  }
  if (Status st = result.Finish(); !st.ok()) return st;
  sorted.ResultPath = result.WrittenPath();
  return Status::Ok();
}

// One sort, which may run on a thread of its own: running out of memory is
// its failure, about its log, never an exception.
Status SortUnpublished(const LogFiles& files, const SortOptions& options, const CompareRequest& r,
                       LineWriter& result, SortedLog& sorted) {
  return FailOnOutOfMemory(files.LogPath, [&] { return SortStaged(files, options, r, result, sorted); });
}

LogFacts FactsOf(const std::string& log, ReportEncoding encoding) {
  LogFacts facts;
  facts.Path = LogTextToUtf8(log, encoding);
  struct stat st {};
  if (::stat(log.c_str(), &st) == 0) {
    facts.Bytes = st.st_size;
    facts.Modified = PageTime(st.st_mtime);
  }
  return facts;
}

// The HTML page of the comparison, staged beside its name: made from the
// record of the walk that wrote the report.
Status StagePage(const CompareRequest& r, const CompareOutcome& outcome, ReportEncoding encoding,
                 StagedFile& page) {
  PageFacts facts;
  facts.Before = FactsOf(r.Before.LogPath, encoding);
  facts.After = FactsOf(r.After.LogPath, encoding);
  facts.Version = kVersionText;
  facts.RunTime = PageTime(std::time(nullptr));
  facts.ReportName = LogTextToUtf8(NameOf(r.ReportPath), encoding);
  facts.DifferenceCount = outcome.DifferenceCount;
  if (Status st = page.Create(r.PagePath); !st.ok()) return st;
  if (Status st = page.Write(ComparisonPage(outcome.Record, facts)); !st.ok()) return st;
  return page.Close(Durability::kRenameOnly);
}

void Notify(const std::function<void(Side)>& callback, Side side) {
  if (callback) callback(side);
}

// Both sorts, the report, then the renames: sort results first, the report
// last, so a report never stands beside results it does not describe.
Status RunComparison(const CompareRequest& r, const CompareProgress& progress,
                     CompareOutcome& outcome) {
  ReportEncoding encoding = ReportEncoding::kUtf8;
  if (Status st = DetectReportEncoding(r.Before.LogPath, r.After.LogPath, encoding); !st.ok()) {
    return st;
  }
  const SortOptions options = ComparisonSortOptions(r.Filter);
  LineWriter result1, result2, report;
  SortedLog sorted1, sorted2;
  // The two logs are sorted at once, log 2 on a thread of its own; the
  // caller hears of both on its own thread.
  Notify(progress.SortStarted, Side::Before);
  Notify(progress.SortStarted, Side::After);
  Status st, st2;
  RunTwoAtOnce([&] { st = SortUnpublished(r.Before, options, r, result1, sorted1); },
               [&] { st2 = SortUnpublished(r.After, options, r, result2, sorted2); });
  Notify(progress.SortFinished, Side::Before);
  Notify(progress.SortFinished, Side::After);
  if (!st.ok()) return st;
  if (!st2.ok()) return st2;
  if (r.Stop != nullptr && *r.Stop) return StoppedRun(r.After.LogPath);
  if (st = report.Create(r.ReportPath, LineWriter::Mode::kReplaceOnCommit); !st.ok()) return st;
  ComparisonRecord* record = r.RecordDifferences || !r.PagePath.empty() ? &outcome.Record : nullptr;
  if (st = WriteComparisonReport(sorted1, sorted2, encoding, report, outcome.DifferenceCount, record);
      !st.ok()) {
    return st;
  }
  if (st = report.Finish(); !st.ok()) return st;
  StagedFile page;
  if (!r.PagePath.empty()) {
    if (st = StagePage(r, outcome, encoding, page); !st.ok()) return st;
  }
  outcome.BeforeRouteLines = sorted1.Index.RouteLineCount;
  outcome.AfterRouteLines = sorted2.Index.RouteLineCount;
  if (r.KeepSortResults) {
    if (st = result1.Publish(); !st.ok()) return st;
    if (st = result2.Publish(); !st.ok()) return st;
  }
  if (!r.PagePath.empty()) {
    if (st = page.Publish(Durability::kRenameOnly); !st.ok()) return st;
  }
  return report.Publish();
}

}  // namespace

CompareOutcome CompareLogs(const CompareRequest& request, const CompareProgress& progress) {
  CompareOutcome outcome;
  outcome.status = RefuseOverwritingAnInput(request);
  if (outcome.status.ok()) outcome.status = CheckInputsThenOutputs(request);
  if (outcome.status.ok()) {
    outcome.status = FailOnOutOfMemory(request.ReportPath, [&] { return RunComparison(request, progress, outcome); });
  }
  if (!outcome.status.ok()) {
    outcome.DifferenceCount = 0;
    outcome.Record = {};
  } else if (outcome.BeforeRouteLines == 0 || outcome.AfterRouteLines == 0) {
    // Nothing was compared: "同等です" would claim what was never checked.
    const std::string& log = outcome.BeforeRouteLines == 0 ? request.Before.LogPath : request.After.LogPath;
    outcome.NotCompared = Status::Fail(ErrorCode::NoRouteLines, log);
  }
  return outcome;
}

}  // namespace tess
