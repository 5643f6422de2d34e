// A whole comparison of two logs cut from one input: the first two bytes
// choose the filter and where the cut is.
#include <string>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "fuzz_support.h"

using namespace tess;
using namespace tess::fuzz;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t how = TakeByte(data, size);
  const uint8_t cutByte = TakeByte(data, size);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // A separator line cuts where it stands; otherwise the byte gives a share.
  ClearScratch();
  const TwoLogs logs = WriteTwoLogs(bytes, size * cutByte / 255);

  CompareRequest request;
  request.Before = FilesOfLog(logs.Before, 1, ".srt");
  request.After = FilesOfLog(logs.After, 2, ".srt2");
  request.ReportPath = ScratchFile("b.dif");
  InfoFilter filter;
  switch (how % 8) {
    case 0: filter = InfoFilter::Only(FilterItem::All); break;
    case 1: filter = InfoFilter::Only(FilterItem::DestinationAndMask); break;
    case 2: filter = InfoFilter::Only(FilterItem::DestinationOnly); break;
    default:
      for (int k = 0; k < 4; ++k) {
        if ((how >> (3 + k)) & 1) filter.Tick(static_cast<FilterItem>(k + 1));
      }
      if (!filter.Has(FilterItem::Interface) && !filter.Has(FilterItem::Time) &&
          !filter.Has(FilterItem::Cost) && !filter.Has(FilterItem::Protocol)) {
        filter.Tick(FilterItem::Cost);
      }
  }
  request.Filter = filter;
  request.KeepSortResults = (how & 0x80) != 0;
  request.RecordDifferences = (how & 0x04) != 0;
  const CompareOutcome outcome = CompareLogs(request);
  FUZZ_CHECK(outcome.status.ok());
  FUZZ_CHECK(outcome.DifferenceCount >= 0);
  FUZZ_CHECK(outcome.BeforeRouteLines >= 0 && outcome.AfterRouteLines >= 0);
  if (request.KeepSortResults) {
    ExpectOnly({"a.log", "b.log", "a.srt", "b.srt2", "b.dif"});
  } else {
    ExpectOnly({"a.log", "b.log", "b.dif"});
  }
  // Two identical logs never differ.
  if (!logs.Separated && how % 2 == 0) {
    WriteBytes(logs.After, logs.BeforeBytes);
    const CompareOutcome same = CompareLogs(request);
    FUZZ_CHECK(same.status.ok());
    FUZZ_CHECK(same.DifferenceCount == 0);
  }
  return 0;
}
