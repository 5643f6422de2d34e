// Reports read back. The first byte chooses: even, the rest is a report's
// bytes, read as they are (what reads as a report must hold together); odd,
// the rest is two logs (cut at a "\n====\n" line, or at half), compared,
// and their report read back must give the walk's own record.
#include <string>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "compare/report_reader.h"
#include "fuzz_support.h"

using namespace tess;
using namespace tess::fuzz;

namespace {

bool IsUtf8(const std::string& text) {
  Utf8Validator utf8;
  utf8.Feed(text.data(), text.size());
  return utf8.Valid();
}

void CheckConsistent(const ReadReport& read) {
  FUZZ_CHECK(read.DifferenceCount == static_cast<int64_t>(read.Record.Differences.size()));
  FUZZ_CHECK(IsUtf8(read.BeforeLog) && IsUtf8(read.AfterLog));
  for (const RecordedDifference& d : read.Record.Differences) {
    FUZZ_CHECK(IsUtf8(d.Table));
    FUZZ_CHECK(d.Kind != DifferenceKind::Gone || d.After.empty());
    FUZZ_CHECK(d.Kind != DifferenceKind::New || d.Before.empty());
    FUZZ_CHECK(d.Kind != DifferenceKind::Changed || (!d.Before.empty() && !d.After.empty() && !d.WholeTable));
    for (const auto* lines : {&d.Before, &d.After}) {
      for (const std::string& line : *lines) FUZZ_CHECK(IsUtf8(line));
    }
  }
}

// As the walk recorded it, but for what the report leaves out: the names of
// unnamed tables, and which log had a one-sided global table without routes.
void CheckSameRecord(const ComparisonRecord& written, const ReadReport& read) {
  FUZZ_CHECK(read.Record.Differences.size() == written.Differences.size());
  for (size_t k = 0; k < written.Differences.size(); ++k) {
    const RecordedDifference& a = read.Record.Differences[k];
    const RecordedDifference& b = written.Differences[k];
    const bool unnamed = b.Table == "(不明)" || b.Table == "(Default Instance)";
    const bool emptyGlobal = b.WholeTable && unnamed && b.Before.empty() && b.After.empty();
    FUZZ_CHECK(a.Kind == (emptyGlobal ? DifferenceKind::Gone : b.Kind));
    FUZZ_CHECK(a.WholeTable == b.WholeTable);
    FUZZ_CHECK(a.Table == (unnamed ? "" : b.Table));
    FUZZ_CHECK(a.Before == b.Before && a.After == b.After);
  }
}

void ReadBack(std::string_view bytes) {
  const TwoLogs logs = WriteTwoLogs(bytes, bytes.size() / 2);
  CompareRequest request;
  request.Before = FilesOfLog(logs.Before, 1, ".srt");
  request.After = FilesOfLog(logs.After, 2, ".srt2");
  request.ReportPath = ScratchFile("b.dif");
  request.KeepSortResults = false;
  request.RecordDifferences = true;
  const CompareOutcome outcome = CompareLogs(request);
  FUZZ_CHECK(outcome.status.ok());
  ReadReport read;
  FUZZ_CHECK(ReadComparisonReport(request.ReportPath, read).ok());
  FUZZ_CHECK(read.DifferenceCount == outcome.DifferenceCount);
  CheckSameRecord(outcome.Record, read);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t how = TakeByte(data, size);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  ClearScratch();
  if (how % 2 == 1) {
    ReadBack(bytes);
    return 0;
  }
  const std::string path = ScratchFile("r.dif");
  WriteBytes(path, bytes);
  ReadReport read;
  const Status st = ReadComparisonReport(path, read);
  FUZZ_CHECK(st.ok() || st.code() == ErrorCode::NotAReport);
  if (st.ok()) CheckConsistent(read);
  return 0;
}
