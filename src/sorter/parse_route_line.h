// Route line parser: turns one line of "show ip route" output into the
// numbers that sorting and comparing need (destination, mask, next hop,
// protocol code) and tells route lines from everything else.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace tess {

/// ProtoCode of every line that is not a route start line with a destination.
constexpr int32_t kNotRouteProto = 268435455;
/// Value of an address half when there is no address.
constexpr int32_t kNoAddress = 65535;

/// Parser state that lives as long as the program: the mask in force of each
/// line stream, and whether sort results are being read back.
struct ParserState {
  std::array<int, 3> CurrentMaskLen{};
  bool ResultReadMode = false;
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

/// Parses `LineText` for stream `Reader` (0 to 2). `LineState` is carried by
/// the caller from line to line; pass 0 to start a stream with mask 0.
void ParseRouteLine(std::string_view LineText, int Reader, RouteFields& fields, int& LineState,
                    ParserState& state);

/// Packs the low 7 bits of the first four characters, first one highest.
int32_t PackProtoCode(std::string_view line);

/// Whether `line` is a route start line: column 1 neither space nor "*",
/// column 2 a space or "*", column 5 a space.
bool IsRouteStartLine(std::string_view line);

/// Column (1-based) of the first "[" in `line`, 0 when none: where the
/// distance and metric of a path begin.
size_t BracketColumn(std::string_view line);

/// Whether a route start line ends right after its destination, alone or with
/// its mask in one of the three notations (a route the router wrapped).
bool EndsAfterDestination(std::string_view line);

}  // namespace tess
