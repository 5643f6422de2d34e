// What a route-block recogniser (NX-OS, IOS IPv6, IOS-XR IPv6) yields for one
// line of a table: the line's role in its route block and the fields it
// carries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "sorter/address128.h"

namespace tess {

/// The role of a line in a table read as route blocks.
enum class LineRole : uint8_t {
  Loose,         // not part of a route: headers, blank lines, prompts
  Head,          // opens a route: its destination and mask
  HeadWithPath,  // opens a route and holds its first path too
  Path,          // one path of the route above ("*via ...", "via ...", "[1/0] via ...")
  Continuation,  // the rest of the line above, which the router or terminal wrapped
};

constexpr bool OpensRoute(LineRole role) { return role == LineRole::Head || role == LineRole::HeadWithPath; }
constexpr bool HoldsPath(LineRole role) { return role == LineRole::Path || role == LineRole::HeadWithPath; }

/// The fields of one line. Destination and MaskLength are set on lines that
/// open a route, NextHop on lines that hold a path (zero for a path through
/// an interface only, Address128::None() when unreadable). Protocol packs up
/// to eight characters of the route's code (IOS, XR) or of a path's
/// protocol word (NX-OS, "ospf-1"); zero when the line has none.
struct BlockLine {
  LineRole Role = LineRole::Loose;
  Address128 Destination;
  int MaskLength = 0;
  Address128 NextHop = Address128::None();
  uint64_t Protocol = 0;
};

}  // namespace tess

namespace tess {

/// Packs up to eight characters of `text` into a number that orders as the
/// text does (first character highest).
uint64_t PackProtocol(std::string_view text);

/// The next hop of a path whose "via " ends just before `rest`: the address
/// there (followed by the end, ",", "%" or a space), zero when an interface
/// stands there instead ("via Vlan1, directly connected", "via Null0"),
/// Address128::None() when nothing readable does.
Address128 ReadNextHop(std::string_view rest);

/// Reads "/LEN" (0 to `maxLength`) at the start of `rest`: characters read,
/// 0 when none stands there.
size_t ReadMaskLength(std::string_view rest, int maxLength, int& length);

/// Whether `line` holds nothing but spaces (and tabs).
bool IsBlankLine(std::string_view line);

}  // namespace tess
