// The order of the tables of a log that are read as route blocks. Their
// lines are told one after another with their roles, table after table, and
// come out per table in the order of a sort key: each route whole (its head
// first, then its paths ordered by next hop, each with the lines that
// continue it), the loose lines before the first route first and every
// other loose line after the last route, in log order.
//
// All tables share one set of arrays, as the sort records of all tables
// share one: a log of thousands of small tables costs no allocation per
// table.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "io/large_allocation.h"
#include "sorter/route_block_line.h"
#include "sorter/sort_options.h"
#include "sorter/sort_records.h"

namespace tess {

class RouteBlockOrder {
 public:
  /// Starts the next table; returns its number (0, 1, ...).
  size_t StartTable();
  /// The next line of the current table, which stands at `place` in the
  /// temporary file.
  void Add(const BlockLine& line, LinePlace place);

  /// The places of the lines of table `table` in `order`: routes by
  /// destination, next hop (the first path's), mask length or protocol as
  /// the IOS orders take them, log order last. `roles` receives each line's
  /// role, in the same order.
  /// The routes of a table are sorted in place: ask once per table.
  void LinesInOrder(size_t table, SortOrder order, std::vector<LinePlace>& places, std::vector<LineRole>& roles);

 private:
  // Consecutive lines of a table: a head or a path with its continuations.
  struct LineGroup {
    uint32_t First = 0;
    uint32_t Count = 0;
  };
  struct Path {
    Address128 NextHop;
    LineGroup Lines;
  };
  struct Route {
    Address128 Destination;
    Address128 FirstHop = Address128::None();
    uint64_t Protocol = 0;
    LineGroup Head;
    uint32_t FirstPath = 0;  // in paths_
    uint32_t PathCount = 0;
    uint8_t MaskLength = 0;
    bool HeadHoldsPath = false;
  };
  // Where a table's entries stand in the shared arrays.
  struct Table {
    size_t FirstRoute = 0, FirstLine = 0;
    size_t RouteCount = 0, LineCount = 0;
  };

  void SortRoutes(const Table& table, SortOrder order);

  LargeArray<Route> routes_;
  LargeArray<Path> paths_;
  LargeArray<LineRole> roles_;    // by line, tables one after another
  LargeArray<LinePlace> places_;  // the same
  std::vector<Table> tables_;
  bool continuationOfPath_ = false;  // a continuation extends the last path, not the head
};

}  // namespace tess
