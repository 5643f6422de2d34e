// A whole sort run: the first two bytes choose whether the options are in
// force, the order and the filter; the rest is the log. Each table of the
// result holds as many lines as the split wrote of it: sorting and filtering
// never lose or add a line.
#include <algorithm>
#include <string>

#include "app/output_names.h"
#include "app/sort_log.h"
#include "fuzz_support.h"

using namespace tess;
using namespace tess::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t how = TakeByte(data, size);
  const uint8_t filter = TakeByte(data, size);
  ClearScratch();
  const std::string log = ScratchFile("r.log");
  WriteBytes(log, std::string_view(reinterpret_cast<const char*>(data), size));

  SortRequest request;
  request.Files = FilesOfLog(log, 1, ".srt");
  request.Options.InForce = (how & 0x80) == 0;
  request.Options.Order = static_cast<SortOrder>((how & 0x7F) % kSortOrderCount);
  request.Options.Filter = FilterOf(filter);
  const SortOutcome outcome = SortLog(request);
  FUZZ_CHECK(outcome.status.ok());
  FUZZ_CHECK(!outcome.Index.Tables.empty());
  FUZZ_CHECK(outcome.Index.RouteLineCount >= 0);
  FUZZ_CHECK(outcome.Index.RouteLineCount <= static_cast<int64_t>(size));
  const std::string result = ReadBytes(request.Files.ResultPath);
  int64_t position = 1;
  for (const TableExtent& table : outcome.Index.Tables) {
    FUZZ_CHECK(table.Start == position);
    FUZZ_CHECK(table.End >= table.Start);
    FUZZ_CHECK(table.End <= static_cast<int64_t>(result.size()) + 1);
    const auto from = result.begin() + (table.Start - 1), to = result.begin() + (table.End - 1);
    FUZZ_CHECK(std::count(from, to, '\n') == table.LineCount);
    position = table.End;
  }
  FUZZ_CHECK(position == static_cast<int64_t>(result.size()) + 1);
  ExpectOnly({"r.log", "r.srt"});
  return 0;
}
