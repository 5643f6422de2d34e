// A whole sort run: the first two bytes choose whether the options are in
// force, the order and the filter; the rest is the log.
#include <string>

#include "app/output_names.h"
#include "app/sort_log.h"
#include "fuzz_support.h"

using namespace tess;
using namespace tess::fuzz;

namespace {

// The filter of a byte: one item of 0, 5 and 6 alone, or any set of 1 to 4.
InfoFilter FilterOf(uint8_t byte) {
  const int pick = byte % 19;
  if (pick < 3) {
    constexpr FilterItem kAlone[] = {FilterItem::All, FilterItem::DestinationAndMask,
                                     FilterItem::DestinationOnly};
    return InfoFilter::Only(kAlone[pick]);
  }
  InfoFilter filter;
  const int bits = pick - 3;  // 0..15
  for (int k = 0; k < 4; ++k) {
    if (bits & (1 << k)) filter.Tick(static_cast<FilterItem>(k + 1));
  }
  return filter;
}

}  // namespace

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
  int64_t position = 1;
  for (const TableExtent& table : outcome.Index.Tables) {
    FUZZ_CHECK(table.Start == position);
    FUZZ_CHECK(table.End >= table.Start);
    position = table.End;
  }
  ExpectOnly({"r.log", "r.srt"});
  return 0;
}
