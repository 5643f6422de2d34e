// A comparison report read back from its file: the walk's record of its
// differences and its verdict, for showing a report written by any run.
#pragma once

#include <cstdint>
#include <string>

#include "compare/comparison_record.h"
#include "compare/report_text.h"
#include "io/status.h"

namespace tess {

/// What a report file says. Every text is UTF-8.
struct ReadReport {
  std::string BeforeLog;  // the log paths of its header
  std::string AfterLog;
  ReportEncoding Encoding = ReportEncoding::kUtf8;  // the encoding it was written in
  /// Tables: those the report names with a heading, in report order.
  /// Differences: every one, in report order; a difference under no heading
  /// (the global table and the lines before the first table) has an empty
  /// Table.
  ComparisonRecord Record;
  int64_t DifferenceCount = 0;  // as the verdict line gives it
};

/// Reads the report at `path`. A file that is not a report fails with
/// NotAReport, naming the line where it stops being one.
Status ReadComparisonReport(const std::string& path, ReadReport& report);

}  // namespace tess
