#include "sorter/route_block_order.h"

#include <algorithm>
#include <array>
#include <tuple>

namespace tess {

namespace {
constexpr size_t kFewPaths = 16;
}  // namespace

size_t RouteBlockOrder::StartTable() {
  Table& table = tables_.emplace_back();
  table.FirstRoute = routes_.size();
  table.FirstLine = roles_.size();
  return tables_.size() - 1;
}

void RouteBlockOrder::Add(const BlockLine& line, LinePlace place) {
  Table& table = tables_.back();
  const uint32_t number = static_cast<uint32_t>(table.LineCount++);
  LineRole role = line.Role;
  switch (role) {
    case LineRole::Head:
    case LineRole::HeadWithPath: {
      Route route;
      route.Destination = line.Destination;
      route.MaskLength = static_cast<uint8_t>(line.MaskLength);
      route.Protocol = line.Protocol;
      route.Head = {number, 1};
      route.FirstPath = static_cast<uint32_t>(paths_.size());
      route.HeadHoldsPath = role == LineRole::HeadWithPath;
      if (route.HeadHoldsPath) route.FirstHop = line.NextHop;
      routes_.push_back(route);
      ++table.RouteCount;
      continuationOfPath_ = false;
      break;
    }
    case LineRole::Path:
    case LineRole::Continuation: {
      if (table.RouteCount == 0) {  // a stream never gives these before a head
        role = LineRole::Loose;
        break;
      }
      Route& route = routes_[routes_.size() - 1];
      if (role == LineRole::Continuation) {
        ++(continuationOfPath_ ? paths_[paths_.size() - 1].Lines.Count : route.Head.Count);
        break;
      }
      if (route.PathCount == 0 && !route.HeadHoldsPath) route.FirstHop = line.NextHop;
      if (route.Protocol == 0) route.Protocol = line.Protocol;
      ++route.PathCount;
      paths_.push_back(Path{line.NextHop, {number, 1}});
      continuationOfPath_ = true;
      break;
    }
    case LineRole::Loose:
      break;
  }
  roles_.push_back(role);
  places_.push_back(place);
}

// Sorts the routes of `table` in place into `order`: the fields as the IOS
// orders take them, the route's first line last, so that routes with equal
// fields keep their log order. The paths they index stay where they are.
void RouteBlockOrder::SortRoutes(const Table& table, SortOrder order) {
  Route* first = routes_.data() + table.FirstRoute;
  Route* last = first + table.RouteCount;
  const auto sortBy = [&](auto key) {
    std::sort(first, last, [&](const Route& a, const Route& b) { return key(a) < key(b); });
  };
  switch (order) {
    case SortOrder::NextHop:
      return sortBy([](const Route& r) { return std::tie(r.FirstHop, r.Destination, r.MaskLength, r.Protocol, r.Head.First); });
    case SortOrder::MaskThenDestination:
      return sortBy([](const Route& r) { return std::tie(r.MaskLength, r.Destination, r.FirstHop, r.Protocol, r.Head.First); });
    case SortOrder::MaskThenNextHop:
      return sortBy([](const Route& r) { return std::tie(r.MaskLength, r.FirstHop, r.Destination, r.Protocol, r.Head.First); });
    case SortOrder::ProtocolThenDestination:
      return sortBy([](const Route& r) { return std::tie(r.Protocol, r.Destination, r.MaskLength, r.FirstHop, r.Head.First); });
    case SortOrder::ProtocolThenNextHop:
      return sortBy([](const Route& r) { return std::tie(r.Protocol, r.FirstHop, r.Destination, r.MaskLength, r.Head.First); });
    case SortOrder::Destination:
    default:
      return sortBy([](const Route& r) { return std::tie(r.Destination, r.MaskLength, r.FirstHop, r.Protocol, r.Head.First); });
  }
}

void RouteBlockOrder::LinesInOrder(size_t tableNumber, SortOrder order, std::vector<LinePlace>& places,
                                   std::vector<LineRole>& roles) {
  const Table& table = tables_[tableNumber];
  places.clear();
  roles.clear();
  places.reserve(table.LineCount);
  roles.reserve(table.LineCount);
  const LinePlace* tablePlaces = places_.data() + table.FirstLine;
  const LineRole* tableRoles = roles_.data() + table.FirstLine;
  auto appendLine = [&](uint32_t line) {
    places.push_back(tablePlaces[line]);
    roles.push_back(tableRoles[line]);
  };
  auto appendGroup = [&](LineGroup group) {
    for (uint32_t k = 0; k < group.Count; ++k) appendLine(group.First + k);
  };
  // The loose lines before the first route stay first.
  uint32_t firstRouteLine = 0;
  while (firstRouteLine < table.LineCount && tableRoles[firstRouteLine] == LineRole::Loose) appendLine(firstRouteLine++);
  std::vector<Path> paths;
  SortRoutes(table, order);
  for (size_t r = table.FirstRoute; r < table.FirstRoute + table.RouteCount; ++r) {
    const Route& route = routes_[r];
    appendGroup(route.Head);
    const Path* first = paths_.data() + route.FirstPath;
    if (route.PathCount == 1) {
      appendGroup(first->Lines);
      continue;
    }
    paths.assign(first, first + route.PathCount);
    auto byHop = [](const Path& a, const Path& b) { return a.NextHop < b.NextHop; };
    if (paths.size() > kFewPaths) {
      std::stable_sort(paths.begin(), paths.end(), byHop);
    } else {
      // Most routes have a few paths: an insertion sort, stable, that allocates nothing.
      for (size_t k = 1; k < paths.size(); ++k) {
        for (size_t j = k; j > 0 && byHop(paths[j], paths[j - 1]); --j) std::swap(paths[j], paths[j - 1]);
      }
    }
    for (const Path& path : paths) appendGroup(path.Lines);
  }
  // Every other loose line goes after the last route, in log order.
  for (uint32_t line = firstRouteLine; line < table.LineCount; ++line) {
    if (tableRoles[line] == LineRole::Loose) appendLine(line);
  }
}

}  // namespace tess
