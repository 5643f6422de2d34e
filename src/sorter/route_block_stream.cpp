#include "sorter/route_block_stream.h"

#include "sorter/coded_route_line.h"
#include "sorter/log_format.h"
#include "sorter/nxos_route_line.h"

namespace tess {

namespace {

// A line that names the next table ("VRF: NAME", "Routing Table: NAME")
// never continues a route, even right under one.
bool NamesTable(std::string_view line) {
  return line.starts_with(kXrVrfPrefix) || line.starts_with(kRoutingTablePrefix);
}

}  // namespace

bool LooksLikePrompt(std::string_view line) {
  if (line.empty() || line[0] == ' ') return false;
  const std::string_view first = line.substr(0, line.find(' '));
  return first.find('#') != std::string_view::npos;
}

BlockLine RouteBlockStream::ReadAlone(std::string_view line) const {
  if (dialect_ == TableDialect::Nxos) return ReadNxosLine(line, sortResult_);
  return ReadCodedRouteLine(line, sortResult_,
                            dialect_ == TableDialect::Xr ? Destinations::Any : Destinations::Ipv6);
}

BlockLine RouteBlockStream::Parse(std::string_view line) {
  if (IsBlankLine(line)) {
    previousInRoute_ = false;
    return {};
  }
  BlockLine fields = ReadAlone(line);
  if (OpensRoute(fields.Role)) {
    inRoute_ = previousInRoute_ = true;
    return fields;
  }
  if (fields.Role == LineRole::Path) {
    if (inRoute_) {
      previousInRoute_ = true;
      return fields;
    }
    return {};
  }
  if (inRoute_ && previousInRoute_ && !LooksLikePrompt(line) && !NamesTable(line)) {
    fields.Role = LineRole::Continuation;
    return fields;
  }
  inRoute_ = previousInRoute_ = false;
  return {};
}

}  // namespace tess
