// Recognises IOS IPv4 route lines ("show ip route" of IOS and IOS-XE): tells
// route lines from everything else and turns each into the route model's
// fields (destination, mask, next hop, protocol code). The three mask
// notations ("/24", "255.255.255.0", "0xFFFFFF00") and the mask a subnet
// header puts in force for the routes under it are read here.
#pragma once

#include <string_view>

#include "sorter/route_fields.h"

namespace tess {

/// The lines of one IOS IPv4 table, read one after another. The stream holds
/// what carries from line to line: the mask in force and whether a line with
/// a destination was seen. Each reader of lines owns its stream, so no stream
/// sees another's mask; a copy is a saved state.
class IosRouteLineStream {
 public:
  /// What the lines are: a log's, or a sort result read back, where the
  /// information filter may have cut everything after a destination and
  /// where routes pair by destination and mask only (next hops stay unread).
  enum class Source { Log, SortResult };

  /// A stream that starts with `maskInForce` (0 at the top of a table).
  explicit IosRouteLineStream(Source source = Source::Log, int maskInForce = 0)
      : maskInForce_(maskInForce), sortResult_(source == Source::SortResult) {}

  /// The fields of `line` as the next line of the stream.
  RouteFields Parse(std::string_view line);

  /// Mask length of the last line that gave one ("10.0.0.0/24 is subnetted").
  int MaskInForce() const { return maskInForce_; }

 private:
  RouteFields NonRoute() const;

  int maskInForce_;
  bool seenDestination_ = false;
  bool sortResult_;
};

/// Packs the low 7 bits of the first four characters, first one highest.
int32_t PackProtoCode(std::string_view line);

/// Whether `line` is a route start line: column 1 neither space nor "*",
/// column 2 a space or "*", column 5 a space.
bool IsRouteStartLine(std::string_view line);

/// Whether a route start line ends right after its destination, alone or with
/// its mask in one of the three notations (a route the router wrapped).
bool EndsAfterDestination(std::string_view line);

}  // namespace tess
