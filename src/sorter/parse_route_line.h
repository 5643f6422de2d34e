// Route line parser: turns one line of "show ip route" output into the
// numbers that sorting and comparing need (destination, mask, next hop,
// protocol code) and tells route lines from everything else.
#pragma once

#include <cstdint>
#include <string_view>

#include "sorter/log_format.h"

namespace tess {

/// ProtoCode of every line that is not a route start line with a destination.
constexpr int32_t kNotRouteProto = 268435455;
/// Value of an address half when there is no address.
constexpr int32_t kNoAddress = 65535;

/// What one stream of lines carries from line to line. Each reader of lines
/// owns its stream, so no stream sees another's mask.
struct LineStream {
  /// Mask length of the last line that gave one ("10.0.0.0/24 is subnetted").
  int MaskInForce = 0;
  /// Whether a destination may end its line: true when reading sort results
  /// back, where the information filter may have cut everything after it.
  bool DestinationMayEndLine = false;
  /// Whether the next hop is wanted; readers of sort results, which pair
  /// routes by destination and mask only, leave it unread.
  bool ReadsNextHop = true;
};

/// What ParseRouteLine yields for one line.
struct RouteFields {
  int32_t DestHigh = kNoAddress;
  int32_t DestLow = kNoAddress;
  int32_t HopHigh = kNoAddress;
  int32_t HopLow = kNoAddress;
  int32_t ProtoCode = kNotRouteProto;
  int MaskCode = -1;
};

/// Line positions relative to the first line with a destination of a stream.
enum LineStateValue : int {
  kStreamStart = 0,
  kBeforeFirstRoute = 1,
  kDestinationLine = 2,
  kAfterRoute = 3,
};

/// Parses `line` as the next line of `stream`. `lineState` is carried by the
/// caller from line to line; kStreamStart starts the stream with mask 0.
void ParseRouteLine(std::string_view line, RouteFields& fields, int& lineState, LineStream& stream);

/// Packs the low 7 bits of the first four characters, first one highest.
int32_t PackProtoCode(std::string_view line);

/// Whether `line` is a route start line: column 1 neither space nor "*",
/// column 2 a space or "*", column 5 a space.
bool IsRouteStartLine(std::string_view line);

/// Whether a route start line ends right after its destination, alone or with
/// its mask in one of the three notations (a route the router wrapped).
bool EndsAfterDestination(std::string_view line);

}  // namespace tess
