// The route line parser over the three streams a run reads: the log's lines
// while sorting, and the two sort results that a comparison reads back.
#include <string_view>

#include "fuzz_support.h"
#include "sorter/ios_route_line.h"

using namespace tess;
using namespace tess::fuzz;

namespace {

void CheckFields(const RouteFields& f, const IosRouteLineStream& stream) {
  for (int32_t half : {f.DestHigh, f.DestLow, f.HopHigh, f.HopLow}) {
    FUZZ_CHECK(half >= 0 && half <= kNoAddress);
  }
  FUZZ_CHECK(f.ProtoCode >= 0 && f.ProtoCode <= kNotRouteProto);
  FUZZ_CHECK(f.MaskCode >= -1 && f.MaskCode <= 31);
  FUZZ_CHECK(f.Part >= TablePart::BeforeFirstRoute && f.Part <= TablePart::AfterRoute);
  FUZZ_CHECK(stream.MaskInForce() >= 0 && stream.MaskInForce() <= 32);
  const bool hasDestination = f.DestHigh != kNoAddress || f.DestLow != kNoAddress;
  const bool destinationLine = f.Part == TablePart::Destination;
  if (f.ProtoCode != kNotRouteProto) FUZZ_CHECK(destinationLine);
  if (destinationLine) FUZZ_CHECK(f.MaskCode >= 0);
  if (!hasDestination && !destinationLine) FUZZ_CHECK(f.ProtoCode == kNotRouteProto);
}

}  // namespace

// Input: lines separated by LF; the first byte of each line picks its stream
// (0 the log, 1 and 2 the sort results read back).
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Source = IosRouteLineStream::Source;
  IosRouteLineStream streams[3] = {IosRouteLineStream(Source::Log), IosRouteLineStream(Source::SortResult),
                                   IosRouteLineStream(Source::SortResult)};
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    IosRouteLineStream& stream = streams[line.empty() ? 0 : static_cast<uint8_t>(line[0]) % 3];
    if (!line.empty()) line.remove_prefix(1);
    const RouteFields fields = stream.Parse(line);
    CheckFields(fields, stream);
    const int32_t proto = PackProtoCode(line);
    FUZZ_CHECK(proto >= 0 && proto <= kNotRouteProto);
    if (fields.ProtoCode != kNotRouteProto) {
      FUZZ_CHECK(IsRouteStartLine(line));
      FUZZ_CHECK(fields.ProtoCode == proto);
    }
    (void)EndsAfterDestination(line);
  }
  return 0;
}
