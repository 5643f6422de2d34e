// Recognises the lines of an IOS/IOS-XE "show ipv6 route" table and of an
// IOS-XR table (IPv4 or IPv6): a route opens with "CODE PREFIX/LEN" (the
// code one or two short words such as "OE2" or "i L1", the line possibly
// indented), followed on the same line or the lines under it by its paths:
// IOS "via HOP[, INTERFACE]", XR "[AD/METRIC] via HOP, AGE[, INTERFACE]" or
// "is directly connected, AGE, INTERFACE".
#pragma once

#include <string_view>

#include "sorter/route_block_line.h"

namespace tess {

/// Which destinations open a route: IPv6 ones only (IOS "show ipv6 route",
/// where an IPv4 prefix is no route), or IPv4 ones too (IOS-XR).
enum class Destinations { Ipv6, Any };

/// The fields of `line` taken alone: Head, HeadWithPath, Path or Loose.
/// With `sortResult`, a head cut right after its destination (by the
/// information filter) still opens a route.
BlockLine ReadCodedRouteLine(std::string_view line, bool sortResult, Destinations destinations);

}  // namespace tess
