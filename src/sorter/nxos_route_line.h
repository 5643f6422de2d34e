// Recognises the lines of an NX-OS route table ("show ip route",
// "show ipv6 route"): a route is "PREFIX/LEN, ubest/mbest: U/M[, ...]" in
// column 1, followed by its paths, "*via HOP[%VRF], [INTERFACE,] [AD/METRIC],
// AGE, PROTOCOL[, ...]" (non-best paths without the "*").
#pragma once

#include <string_view>

#include "sorter/route_block_line.h"

namespace tess {

/// The fields of `line` taken alone: Head, Path or Loose (anything else).
/// With `sortResult`, a head cut right after its destination or mask (by the
/// information filter) still opens a route.
BlockLine ReadNxosLine(std::string_view line, bool sortResult);

}  // namespace tess
