// The route model that sorting and comparing share: what a route line
// recogniser yields for each line of a table (destination, mask, next hop,
// protocol code, and where the line stands in its table).
#pragma once

#include <cstdint>

namespace tess {

/// ProtoCode of every line that is not a route start line with a destination.
constexpr int32_t kNotRouteProto = 268435455;
/// Value of an address half when there is no address.
constexpr int32_t kNoAddress = 65535;

/// Where a line stands relative to the first line with a destination of its
/// table; the highest bits of every sort key, so that the text before a
/// table's first route stays first and lines without a destination after it
/// sort after every route.
enum class TablePart : int {
  BeforeFirstRoute = 1,
  Destination = 2,
  AfterRoute = 3,
};

/// What a recogniser yields for one line. A line without a destination has
/// no addresses, kNotRouteProto and the mask in force minus one as MaskCode.
struct RouteFields {
  int32_t DestHigh = kNoAddress;
  int32_t DestLow = kNoAddress;
  int32_t HopHigh = kNoAddress;
  int32_t HopLow = kNoAddress;
  int32_t ProtoCode = kNotRouteProto;
  int MaskCode = -1;
  TablePart Part = TablePart::BeforeFirstRoute;

  /// Whether the line starts a route (a route start line with a destination).
  bool StartsRoute() const { return ProtoCode != kNotRouteProto; }
};

}  // namespace tess
