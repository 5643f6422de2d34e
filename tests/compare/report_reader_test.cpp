// A written report read back gives the walk's own record and verdict; a file
// that is not a report is refused at the line where it stops being one.
#include <gtest/gtest.h>

#include <filesystem>

#include "compare/report_reader.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;
namespace fs = std::filesystem;

struct LogPair {
  std::string name, before, after;  // the logs' bytes
};

// Compares the pair with a record and reads its report back.
void ExpectRoundTrip(const LogPair& pair, ReportEncoding encoding = ReportEncoding::kUtf8) {
  SCOPED_TRACE(pair.name);
  ScratchDir dir;
  const CompareOutcome outcome = CompareRecorded(dir, pair.before, pair.after);
  ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();

  ReadReport read;
  const Status st = ReadComparisonReport(dir.File("after.dif"), read);
  ASSERT_TRUE(st.ok()) << st.Message();
  EXPECT_EQ(read.Encoding, encoding);
  EXPECT_EQ(read.BeforeLog, dir.File("before.log"));
  EXPECT_EQ(read.AfterLog, dir.File("after.log"));
  EXPECT_EQ(read.DifferenceCount, outcome.DifferenceCount);
  const std::vector<RecordedDifference>& written = outcome.Record.Differences;
  ASSERT_EQ(read.Record.Differences.size(), written.size());
  for (size_t k = 0; k < written.size(); ++k) {
    const RecordedDifference& a = read.Record.Differences[k];
    const RecordedDifference& b = written[k];
    SCOPED_TRACE("difference " + std::to_string(k));
    // Unnamed tables: the text before the first table and the global one.
    const bool unnamed = b.Table == "(不明)" || b.Table == "(Default Instance)";
    // A one-sided global table without routes is only an empty line in
    // the report, which does not say which log had it: read as gone.
    const bool emptyGlobal = b.WholeTable && unnamed && b.Before.empty() && b.After.empty();
    EXPECT_EQ(a.Kind, emptyGlobal ? DifferenceKind::Gone : b.Kind);
    EXPECT_EQ(a.WholeTable, b.WholeTable);
    EXPECT_EQ(a.Before, b.Before);
    EXPECT_EQ(a.After, b.After);
    EXPECT_EQ(a.Table, unnamed ? "" : b.Table);
  }
}

std::vector<std::string> LogsBelow(const std::string& folder, const std::string& name) {
  std::vector<std::string> logs;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.path().filename() == name || entry.path().extension() == name) logs.push_back(entry.path());
  }
  std::sort(logs.begin(), logs.end());
  return logs;
}

// Each log against the next one (the last against the first), and against
// itself without every fifth line.
std::vector<LogPair> PairsOf(const std::vector<std::string>& logs) {
  std::vector<LogPair> pairs;
  for (size_t k = 0; k < logs.size(); ++k) {
    const std::string bytes = ReadFile(logs[k]);
    pairs.push_back({logs[k], bytes, ReadFile(logs[(k + 1) % logs.size()])});
    std::string thinned;
    size_t line = 0;
    for (size_t at = 0; at < bytes.size();) {
      const size_t end = std::min(bytes.find('\n', at), bytes.size() - 1) + 1;
      if (++line % 5 != 0) thinned.append(bytes, at, end - at);
      at = end;
    }
    pairs.push_back({logs[k] + " thinned", bytes, thinned});
  }
  return pairs;
}

TEST(ReportReader, GivesBackTheWalksRecordOfEveryReport) {
  std::vector<LogPair> pairs = PairsOf(LogsBelow(SourceDir() + "/tests/data", "input.log"));
  for (const std::string& folder : {CapturesDir(), SourceDir() + "/examples"}) {
    for (LogPair& pair : PairsOf(LogsBelow(folder, ".log"))) pairs.push_back(std::move(pair));
  }
  const std::string change = SourceDir() + "/examples/change/";
  for (const char* name : {"core1.log", "edge1.log"}) {
    pairs.push_back({name, ReadFile(change + "before/" + name), ReadFile(change + "after/" + name)});
  }
  for (const LogPair& pair : pairs) ExpectRoundTrip(pair);
}

TEST(ReportReader, ReadsReportsOfEitherEncoding) {
  const std::string global = "Gateway of last resort is not set\n";
  // CP932: a VRF named "東京" and an interface "ポート1" gone with it.
  const std::string tokyo = "Routing Table: \x93\x8C\x8B\x9E\n" + global +
                            "C    10.1.0.0/16 is directly connected, \x83\x7C\x81\x5B\x83\x67\x31\n";
  ExpectRoundTrip({"cp932", global + "S    10.0.0.0/8 [1/0] via 192.0.2.1\n" + tokyo,
                   global + "S    10.0.0.0/8 [1/0] via 192.0.2.2\n"},
                  ReportEncoding::kCp932);
  // Bytes valid in neither encoding leave the report UTF-8, holding them.
  const std::string odd = "Routing Table: A\xFF\n" + global + "C    10.2.0.0/16 is directly connected, E\x80\n";
  ExpectRoundTrip({"invalid bytes", global + odd, global + "S    10.0.0.0/8 [1/0] via 192.0.2.2\n" + odd +
                   "S    10.3.0.0/16 [1/0] via 192.0.2.\x80\n"});
}

TEST(ReportReader, RefusesWhatIsNotAReportNamingTheLine) {
  const std::string header = "前: a.log\r\n後: b.log\r\n\r\n";
  const struct {
    std::string bytes;
    const char* detail;
  } cases[] = {
      {"", "line 1: the file is empty"},
      {"Gateway of last resort is not set\r\n", "line 1: no header naming the logs"},
      {"前: a.log\r\n\r\n", "line 2: the header names no second log"},
      {"前: a.log\r\n後: b.log\r\nx\r\n", "line 3: the header does not end with an empty line"},
      {header, "line 4: the report ends without its verdict"},
      {header + "減< S 10.0.0.0/8\r\n", "line 5: the report ends without its verdict"},
      {header + "S    10.0.0.0/8\r\n 0 の違いがあります\r\n", "line 4: an unknown line"},
      {header + " 01 の違いがあります\r\n", "line 4: a malformed verdict"},
      {header + "減< S 10.0.0.0/8\r\n\r\n 2 の違いがあります\r\n",
       "line 6: the verdict counts 2 differences, the report holds 1"},
      {header + "前< S 10.0.0.0/8\r\n\r\n", "line 5: a changed route without its lines after the change"},
      {header + "増> S 10.0.0.0/8\r\n減< S 10.0.0.0/8\r\n", "line 5: a line that does not continue the difference above it"},
      {header + "VRF:A\r\n増> S 10.0.0.0/8\r\n", "line 5: a table's heading not followed by an empty line"},
      {header + "減<VRF:A\r\n\r\n増> S 10.0.0.0/8\r\n", "line 6: a route difference outside any table"},
      {header + "VRF:A\r\n\r\n  < S 10.0.0.0/8\r\n", "line 6: a table without a name after named ones"},
      {header + "同等です\r\n\r\n", "line 5: text after the verdict"},
      {"\x91\x4F: a\r\n\x8C\xE3: b\r\n\r\n同等です\r\n", "line 4: an unknown line"},  // CP932 header, UTF-8 verdict
  };
  ScratchDir dir;
  for (const auto& c : cases) {
    WriteFile(dir.File("r.dif"), c.bytes);
    ReadReport read;
    const Status st = ReadComparisonReport(dir.File("r.dif"), read);
    EXPECT_EQ(st.code(), ErrorCode::NotAReport) << c.detail;
    EXPECT_EQ(st.reason(), std::string("not a comparison report (") + c.detail + ")");
  }
}

}  // namespace
}  // namespace tess
