// The lines of one table read as route blocks (NX-OS, IOS IPv6, IOS-XR
// IPv6), one after another: gives each line its role in its route, which
// depends on the lines before it (a path belongs to the route above it, a
// wrapped line goes on the line above).
#pragma once

#include <string_view>

#include "sorter/route_block_line.h"
#include "sorter/table_dialect.h"

namespace tess {

class RouteBlockStream {
 public:
  /// What the lines are: a log's, or a sort result's, where the information
  /// filter may have cut a head after its destination.
  enum class Source { Log, SortResult };

  explicit RouteBlockStream(TableDialect dialect, Source source = Source::Log)
      : dialect_(dialect), sortResult_(source == Source::SortResult) {}

  /// The fields and role of `line` as the next line of the table. A blank
  /// line is loose but does not end a route (paths may follow it); any
  /// other line that is neither a head, a path nor the continuation of the
  /// line above ends the route. A continuation goes on a head, a path or
  /// another continuation directly above it, never looks like a prompt and
  /// never names a table.
  BlockLine Parse(std::string_view line);

 private:
  BlockLine ReadAlone(std::string_view line) const;

  TableDialect dialect_;
  bool sortResult_;
  bool inRoute_ = false;         // a route is open: paths may follow
  bool previousInRoute_ = false;  // the line above belongs to it
};

/// Whether `line` looks like a router's prompt ("R1#", "R1#show ip route").
bool LooksLikePrompt(std::string_view line);

}  // namespace tess
