// A sort as one call: the result and the index of its tables, and a failed
// or refused sort that leaves nothing behind.
#include "app/sort_log.h"

#include <gtest/gtest.h>

#include "app/output_names.h"
#include "test_support.h"

namespace tess {
namespace {

using namespace testing;

// The index names every table in log order and gives each the bytes of the
// result that hold its lines: the gateway line first for every table.
TEST(SortLog, IndexGivesEachTableItsBytesOfTheResult) {
  ScratchDir dir;
  WriteFile(dir.File("r.log"), CrLf({"R1#show ip route vrf *", "", "Routing Table: B",
                                     "Gateway of last resort is not set",
                                     "C    10.2.0.0/24 is directly connected, E1",
                                     "C    10.1.0.0/24 is directly connected, E0", "Routing Table: A",
                                     "Gateway of last resort is not set", "Gateway of last resort is not set",
                                     "S    10.9.0.0/16 [1/0] via 10.1.1.1", "R1#"}));
  SortRequest request;
  request.Files = FilesOfLog(dir.File("r.log"), 1, ".srt");
  const SortOutcome outcome = SortLog(request);
  ASSERT_TRUE(outcome.status.ok()) << outcome.status.Message();
  const std::string result = ReadFile(dir.File("r.srt"));
  const struct {
    std::string name;
    int64_t lines;
    std::string firstLine;
  } expected[] = {{"!!begin", 3, "R1#show ip route vrf *"},
                  {"B", 4, "Gateway of last resort is not set"},
                  {"A", 1, "Gateway of last resort is not set"},
                  {"!!default", 3, "Gateway of last resort is not set"}};
  ASSERT_EQ(outcome.Index.Tables.size(), std::size(expected));
  int64_t position = 1;
  for (size_t k = 0; k < std::size(expected); ++k) {
    const TableExtent& table = outcome.Index.Tables[k];
    SCOPED_TRACE(table.Name);
    EXPECT_EQ(table.Name, expected[k].name);
    EXPECT_EQ(table.LineCount, expected[k].lines);
    EXPECT_EQ(table.Start, position);
    const std::string bytes = result.substr(static_cast<size_t>(table.Start - 1),
                                            static_cast<size_t>(table.End - table.Start));
    EXPECT_TRUE(bytes.starts_with(expected[k].firstLine + "\r\n")) << bytes;
    int64_t lineEnds = 0;
    for (size_t at = bytes.find("\r\n"); at != std::string::npos; at = bytes.find("\r\n", at + 2)) ++lineEnds;
    EXPECT_EQ(lineEnds, table.LineCount);
    position = table.End;
  }
  EXPECT_EQ(position, static_cast<int64_t>(result.size()) + 1);
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r.log", "r.srt"}));
}

// The counter a caller polls to show progress ends at the log's size,
// whatever its line ends, a look-ahead for a wrapped line at its end, or
// its length (added to every few thousand lines).
TEST(SortLog, BytesReadReachTheLogsSize) {
  std::string manyRoutes = "Gateway of last resort is not set\n";
  for (int k = 0; k < 10000; ++k) manyRoutes += "C    10.1.0.0/24 is directly connected, E0\n";
  const std::pair<const char*, std::string> cases[] = {
      {"Empty", ""},
      {"NoLineEndAtTheEnd", "Gateway of last resort is not set\nC    10.1.0.0/24 is directly connected, E0"},
      {"CrOnly", "Gateway of last resort is not set\rC    10.1.0.0/24 is directly connected, E0\r"},
      {"WrappedAtTheEnd", "Gateway of last resort is not set\nO E2    192.168.10.168\n   [110/20] via 10.1.1.1\n"},
      {"ManyLines", manyRoutes},
  };
  for (const auto& [name, log] : cases) {
    SCOPED_TRACE(name);
    ScratchDir dir;
    WriteFile(dir.File("r.log"), log);
    std::atomic<int64_t> read{0};
    SortRequest request;
    request.Files = FilesOfLog(dir.File("r.log"), 1, ".srt");
    request.BytesRead = &read;
    ASSERT_TRUE(SortLog(request).status.ok());
    EXPECT_EQ(read, static_cast<int64_t>(log.size()));
  }
}

TEST(SortLog, FailedAndRefusedSortsLeaveEveryFileAsItWas) {
  ScratchDir dir;
  WriteFile(dir.File("r.log"), CrLf({"Gateway of last resort is not set"}));
  WriteFile(dir.File("r.srt"), "older result\r\n");
  const std::vector<std::string> files = dir.List();
  SortRequest missing;
  missing.Files = FilesOfLog(dir.File("gone.log"), 1, ".log");
  SortRequest overInput;
  overInput.Files = FilesOfLog(dir.File("r.log"), 1, ".log");
  SortRequest overOther;
  overOther.Files = FilesOfLog(dir.File("r.log"), 2, ".srt");
  overOther.OtherInputs = {dir.File("r.srt")};
  for (const SortRequest* request : {&missing, &overInput, &overOther}) {
    const SortOutcome outcome = SortLog(*request);
    EXPECT_FALSE(outcome.status.ok());
    EXPECT_TRUE(outcome.Index.Tables.empty());
    EXPECT_EQ(dir.List(), files);
  }
  EXPECT_EQ(ReadFile(dir.File("r.srt")), "older result\r\n");
  EXPECT_EQ(SortLog(overInput).status.reason(), "the sort result would overwrite the input");
  EXPECT_EQ(SortLog(overOther).status.reason(), "the sort result would overwrite the other input log");
}

// A run asked to stop fails as any failed run does: nothing of it stays.
TEST(SortLog, AStoppedRunFailsAndLeavesNothing) {
  ScratchDir dir;
  WriteFile(dir.File("r.log"), CrLf({"Gateway of last resort is not set", "C    10.1.0.0/24 is directly connected, E0"}));
  WriteFile(dir.File("r.srt"), "older result\r\n");
  const std::atomic<bool> stop{true};
  SortRequest request;
  request.Files = FilesOfLog(dir.File("r.log"), 1, ".srt");
  request.Stop = &stop;
  const SortOutcome outcome = SortLog(request);
  EXPECT_EQ(outcome.status.reason(), "the run was stopped");
  EXPECT_EQ(dir.List(), (std::vector<std::string>{"r.log", "r.srt"}));
  EXPECT_EQ(ReadFile(dir.File("r.srt")), "older result\r\n");
}

// Every sort gives back all it mapped (each maps its records and its
// read-back window): thousands of sorts in one process end with as many
// mappings and as much address space as after the first few.
TEST(SortLog, ThousandsOfSortsGiveBackAllTheyMapped) {
  if (kAddressSanitizer) GTEST_SKIP() << "the address sanitizer's allocator grows by itself";
  ScratchDir dir;
  WriteFile(dir.File("r.log"), CrLf({"Gateway of last resort is not set",
                                     "C    10.0.0.0/8 is directly connected, Ethernet0"}));
  SortRequest request;
  request.Files = FilesOfLog(dir.File("r.log"), 1, ".srt");
  const auto sort = [&](int times) {
    for (int k = 0; k < times; ++k) ASSERT_TRUE(SortLog(request).status.ok());
  };
  sort(10);  // the heap and the libraries settle
  const AddressSpace before = AddressSpaceNow();
  sort(2000);
  const AddressSpace after = AddressSpaceNow();
  ASSERT_GT(before.SizeKiB, 0u);
  EXPECT_LE(after.Mappings, before.Mappings + 4);
  EXPECT_LE(after.SizeKiB, before.SizeKiB + 8192) << "from " << before.SizeKiB << " KiB";
}

}  // namespace
}  // namespace tess
