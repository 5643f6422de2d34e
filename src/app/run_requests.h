// A sort or a comparison as a value: a request names every file and option
// a run needs; an outcome says how it went. Nothing else goes in or out.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "compare/comparison_record.h"
#include "compare/side.h"
#include "io/status.h"
#include "sorter/sort_index.h"
#include "sorter/sort_options.h"

namespace tess {

/// One log and the files a run makes of it.
struct LogFiles {
  std::string LogPath;
  std::string ResultPath;  // where its sort result goes
  std::string TempBase;    // its one temporary file, its tables one after another
};

struct SortRequest {
  LogFiles Files;
  SortOptions Options;
  /// Further inputs of the caller that the result must never replace (the
  /// window's other log).
  std::vector<std::string> OtherInputs;
  /// When set, the run stops soon after it turns true, failing like any
  /// failed run (the window's close while a run is under way).
  const std::atomic<bool>* Stop = nullptr;
  /// When set, the run adds the bytes of the log it has read to it, every
  /// few thousand lines and all of them by the end of the split, so that
  /// another thread can show how far it is (the log's size is the whole).
  std::atomic<int64_t>* BytesRead = nullptr;
};

/// The share of a run's `total` bytes that its BytesRead counter shows, in
/// percent: 0 while the whole is unknown, 100 for a log that grew while read.
inline int64_t PercentRead(int64_t read, int64_t total) {
  return total > 0 ? std::clamp<int64_t>(read * 100 / total, 0, 100) : 0;
}

struct SortOutcome {
  Status status;
  SortIndex Index;  // where each table stands in the result
};

struct CompareRequest {
  LogFiles Before;  // log 1, taken before the change
  LogFiles After;   // log 2, taken after it
  std::string ReportPath;
  /// Where an HTML page of the comparison goes, published with the report;
  /// none when empty.
  std::string PagePath;
  /// The user's information filter; both sorts run in destination order with
  /// the time information removed as well (ComparisonSortOptions).
  InfoFilter Filter = InfoFilter::Only(FilterItem::All);
  /// Whether the two sort results stay beside their logs afterwards.
  bool KeepSortResults = true;
  /// Whether the outcome also carries the report's tables and differences.
  bool RecordDifferences = false;
  /// As SortRequest::Stop.
  const std::atomic<bool>* Stop = nullptr;
  /// As SortRequest::BytesRead, for both logs together (both are read at
  /// once, so the whole is the sum of their sizes).
  std::atomic<int64_t>* BytesRead = nullptr;
};

struct CompareOutcome {
  Status status;
  int64_t DifferenceCount = 0;
  /// Route lines found in log 1 and in log 2 (see SortIndex).
  int64_t BeforeRouteLines = 0;
  int64_t AfterRouteLines = 0;
  ComparisonRecord Record;  // filled when the request asked for it and the run succeeded
  /// Ok, or why a comparison that ran and published its report did not
  /// really compare: a log without any route line (NoRouteLines, naming the
  /// log; log 1 when both are). Front ends report such a run as failed.
  Status NotCompared;
};

/// What a comparison tells its caller while it runs, so that a window can
/// show which logs are being sorted: both sorts start together and finish
/// together (before, then after), and the calls come on the caller's
/// thread.
struct CompareProgress {
  std::function<void(Side side)> SortStarted;
  std::function<void(Side side)> SortFinished;
};

}  // namespace tess
