#include "cli/folder_comparison.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <map>
#include <mutex>
#include <new>
#include <sys/stat.h>
#include <system_error>
#include <thread>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "io/paths.h"

namespace tess {

namespace {

bool EndsWith(const std::string& name, const std::string& tail) {
  return !tail.empty() && name.size() >= tail.size() &&
         name.compare(name.size() - tail.size(), tail.size(), tail) == 0;
}

// Whether a file of the folder is a log: not hidden (staged outputs are),
// no temporary file left by an interrupted run ("r1.(1)"), no sort result,
// report or HTML page of one (so that a second run with --html takes the
// same logs as the first).
bool IsLogName(const std::string& name, const ComparisonSettings& settings) {
  if (name.empty() || name[0] == '.') return false;
  if (name.find(".(1)") != std::string::npos || name.find(".(2)") != std::string::npos) return false;
  if (EndsWith(name, kPageExtension)) return false;
  for (const std::string* ext :
       {&settings.SortExtension1, &settings.SortExtension2, &settings.ReportExtension}) {
    if (EndsWith(name, *ext)) return false;
  }
  return true;
}

// The names of the regular files of `folder` that are logs, sorted as bytes.
Status ListLogs(const std::string& folder, const ComparisonSettings& settings,
                std::vector<std::string>& names) {
  DIR* dir = ::opendir(folder.c_str());
  if (dir == nullptr) return Status::FromErrno(folder, errno);
  names.clear();
  errno = 0;
  while (const dirent* entry = ::readdir(dir)) {
    const std::string name = entry->d_name;
    struct stat st {};
    if (IsLogName(name, settings) && ::stat(JoinPath(folder, name).c_str(), &st) == 0 &&
        S_ISREG(st.st_mode)) {
      names.push_back(name);
    }
    errno = 0;
  }
  const int error = errno;
  ::closedir(dir);
  if (error != 0) return Status::FromErrno(folder, error);
  std::sort(names.begin(), names.end());
  return Status::Ok();
}

// Two pairs writing one file would replace each other's output: refused
// before any pair runs. Pairs share their name in both folders, so the
// report (and with it the temporary names) tells every collision of
// different names; kept sort results are checked too.
Status RefuseCollidingOutputs(const std::vector<PairResult>& pairs, const std::vector<CompareRequest>& requests,
                              const std::string& indexPage) {
  std::map<std::string, const PairResult*> writers;
  PairResult index;
  index.Name = kIndexPageName;
  if (!indexPage.empty()) writers.emplace(indexPage, &index);
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (pairs[i].ReportPath.empty()) continue;
    const CompareRequest& r = requests[i];
    std::vector<const std::string*> outputs = {&r.ReportPath, &r.PagePath};
    if (r.KeepSortResults) outputs.insert(outputs.end(), {&r.Before.ResultPath, &r.After.ResultPath});
    for (const std::string* output : outputs) {
      if (output->empty()) continue;
      const auto [it, added] = writers.emplace(*output, &pairs[i]);
      if (!added && it->second != &pairs[i]) {
        return Status::Fail(ErrorCode::PairsWriteOneFile, *output, it->second->Name + " and " + pairs[i].Name);
      }
    }
  }
  return Status::Ok();
}

// One pair's comparison. Running out of memory fails that pair only (its
// files removed as CompareLogs unwinds): the other pairs go on.
void RunPair(PairResult& pair, const CompareRequest& request) {
  try {
    pair.Outcome = CompareLogs(request);
  } catch (const std::bad_alloc&) {
    pair.Outcome = CompareOutcome();
    pair.Outcome.status = Status::Fail(ErrorCode::OutOfMemory, request.ReportPath);
  }
  pair.Verdict = VerdictOf(pair.Outcome);
}

}  // namespace

CompareRequest ComparisonOf(const std::string& before, const std::string& after,
                            const ComparisonSettings& settings) {
  CompareRequest request;
  request.Before = FilesOfLog(before, 1, settings.SortExtension1, settings.OutputDir);
  request.After = FilesOfLog(after, 2, settings.SortExtension2, settings.OutputDir);
  request.ReportPath = OutputBase(after, settings.OutputDir) + settings.ReportExtension;
  if (settings.HtmlPages) request.PagePath = OutputBase(after, settings.OutputDir) + kPageExtension;
  request.Filter = settings.Filter;
  request.KeepSortResults = settings.KeepSortResults;
  request.RecordDifferences = settings.RecordDifferences;
  return request;
}

std::string IndexPagePath(const std::string& afterDir, const ComparisonSettings& settings) {
  return JoinPath(settings.OutputDir.empty() ? afterDir : settings.OutputDir, kIndexPageName);
}

VerdictCounts CountVerdicts(const std::vector<PairResult>& pairs) {
  VerdictCounts counts;
  for (const PairResult& pair : pairs) {
    switch (pair.Verdict) {
      case PairVerdict::Same: ++counts.Same; break;
      case PairVerdict::Different: ++counts.Different; break;
      case PairVerdict::OnlyBefore:
      case PairVerdict::OnlyAfter: ++counts.OneSided; break;
      case PairVerdict::Failed: ++counts.Failed; break;
    }
  }
  return counts;
}

const Status& FailureOf(const CompareOutcome& outcome) {
  return outcome.status.ok() ? outcome.NotCompared : outcome.status;
}

const char* VerdictName(PairVerdict verdict) {
  switch (verdict) {
    case PairVerdict::Same:
      return "same";
    case PairVerdict::Different:
      return "different";
    case PairVerdict::OnlyBefore:
      return "only-before";
    case PairVerdict::OnlyAfter:
      return "only-after";
    case PairVerdict::Failed:
      break;
  }
  return "failed";
}

PairVerdict VerdictOf(const CompareOutcome& outcome) {
  if (!outcome.status.ok() || !outcome.NotCompared.ok()) return PairVerdict::Failed;
  return outcome.DifferenceCount == 0 ? PairVerdict::Same : PairVerdict::Different;
}

Status PlanFolderComparison(const std::string& beforeDir, const std::string& afterDir,
                            const ComparisonSettings& settings, std::vector<PairResult>& pairs,
                            std::vector<CompareRequest>& requests) {
  std::vector<std::string> before, after;
  if (Status st = ListLogs(beforeDir, settings, before); !st.ok()) return st;
  if (Status st = ListLogs(afterDir, settings, after); !st.ok()) return st;
  pairs.clear();
  requests.clear();
  size_t b = 0, a = 0;
  while (b < before.size() || a < after.size()) {
    PairResult pair;
    const bool takeBefore = a == after.size() || (b < before.size() && before[b] <= after[a]);
    const bool takeAfter = b == before.size() || (a < after.size() && after[a] <= before[b]);
    pair.Name = takeBefore ? before[b] : after[a];
    if (takeBefore) pair.BeforePath = JoinPath(beforeDir, before[b++]);
    if (takeAfter) pair.AfterPath = JoinPath(afterDir, after[a++]);
    CompareRequest request;
    if (takeBefore && takeAfter) {
      request = ComparisonOf(pair.BeforePath, pair.AfterPath, settings);
      pair.ReportPath = request.ReportPath;
      pair.PagePath = request.PagePath;
    } else {
      pair.Verdict = takeBefore ? PairVerdict::OnlyBefore : PairVerdict::OnlyAfter;
    }
    pairs.push_back(std::move(pair));
    requests.push_back(std::move(request));
  }
  return RefuseCollidingOutputs(pairs, requests, settings.HtmlPages ? IndexPagePath(afterDir, settings) : "");
}

void RunPairs(std::vector<PairResult>& pairs, const std::vector<CompareRequest>& requests, int jobs,
              const std::function<void(size_t, size_t, const PairResult&)>& done) {
  std::vector<size_t> runnable;
  for (size_t i = 0; i < pairs.size(); ++i) {
    if (!pairs[i].ReportPath.empty()) runnable.push_back(i);
  }
  std::atomic<size_t> next{0};
  std::mutex reporting;
  size_t finished = 0;
  auto work = [&] {
    for (size_t k = next++; k < runnable.size(); k = next++) {
      PairResult& pair = pairs[runnable[k]];
      RunPair(pair, requests[runnable[k]]);
      const std::lock_guard<std::mutex> lock(reporting);
      ++finished;
      try {
        if (done) done(finished, runnable.size(), pair);
      } catch (const std::bad_alloc&) {
        // Only the progress shown is missing: the pair has its outcome.
      }
    }
  };
  const size_t threads = std::min(runnable.size(), static_cast<size_t>(std::max(jobs, 1)));
  std::vector<std::thread> workers;
  workers.reserve(threads);
  try {
    for (size_t t = 1; t < threads; ++t) workers.emplace_back(work);
  } catch (const std::system_error&) {
    // No more threads to be had (out of memory, a limit of processes):
    // those started and this one share the pairs.
  }
  work();
  for (std::thread& worker : workers) worker.join();
}

}  // namespace tess
