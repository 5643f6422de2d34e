// What a sort tells about its result: where each routing table stands in it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sorter/table_dialect.h"

namespace tess {

/// One routing table of a sort result. Positions count bytes from 1; the
/// table's lines fill [Start, End).
struct TableExtent {
  std::string Name;  // "!!begin", "!!default", the VRF's name, or "NAME (IPv6)"
  int64_t LineCount = 0;
  int64_t Start = 1;
  int64_t End = 1;
  TableDialect Dialect = TableDialect::IosIpv4;
};

/// The tables of a sort result in log order; entry 0 is the text before the
/// first table.
struct SortIndex {
  std::vector<TableExtent> Tables;
  /// Lines of the log that parsed as a route line (IOS IPv4; each extra
  /// path counts) or opened a route (the other dialects): none means the
  /// log is most likely no route table output.
  int64_t RouteLineCount = 0;
};

}  // namespace tess
