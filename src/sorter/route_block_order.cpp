#include "sorter/route_block_order.h"

#include <algorithm>
#include <array>

namespace tess {

namespace {
constexpr size_t kFewPaths = 16;
}  // namespace

size_t RouteBlockOrder::StartTable() {
  Table& table = tables_.emplace_back();
  table.FirstRoute = routes_.size();
  table.FirstLoose = looseLines_.size();
  table.FirstRole = roles_.size();
  return tables_.size() - 1;
}

void RouteBlockOrder::Add(const BlockLine& line) {
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
        looseLines_.push_back(number);
        ++table.LooseCount;
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
      looseLines_.push_back(number);
      ++table.LooseCount;
      break;
  }
  roles_.push_back(role);
}

// Routes of `table` in key order (indexes into routes_). Each key holds the
// fields in the order's precedence and the route's first line last, so
// routes with equal fields keep their log order.
std::vector<uint32_t> RouteBlockOrder::RoutesInOrder(const Table& table, SortOrder order) const {
  using Key = std::array<uint64_t, 8>;
  std::vector<Key, LargeAllocator<Key>> keys(table.RouteCount);
  for (size_t k = 0; k < table.RouteCount; ++k) {
    const Route& route = routes_[table.FirstRoute + k];
    const uint64_t dh = route.Destination.High, dl = route.Destination.Low;
    const uint64_t hh = route.FirstHop.High, hl = route.FirstHop.Low;
    const uint64_t mask = route.MaskLength, proto = route.Protocol;
    const uint64_t line = route.Head.First, index = table.FirstRoute + k;
    switch (order) {
      case SortOrder::NextHop: keys[k] = {hh, hl, dh, dl, mask, proto, line, index}; break;
      case SortOrder::MaskThenDestination: keys[k] = {mask, dh, dl, hh, hl, proto, line, index}; break;
      case SortOrder::MaskThenNextHop: keys[k] = {mask, hh, hl, dh, dl, proto, line, index}; break;
      case SortOrder::ProtocolThenDestination: keys[k] = {proto, dh, dl, mask, hh, hl, line, index}; break;
      case SortOrder::ProtocolThenNextHop: keys[k] = {proto, hh, hl, dh, dl, mask, line, index}; break;
      case SortOrder::Destination:
      default: keys[k] = {dh, dl, mask, hh, hl, proto, line, index}; break;
    }
  }
  std::sort(keys.begin(), keys.end());
  std::vector<uint32_t> routes(keys.size());
  for (size_t k = 0; k < keys.size(); ++k) routes[k] = static_cast<uint32_t>(keys[k][7]);
  return routes;
}

void RouteBlockOrder::LinesInOrder(size_t tableNumber, SortOrder order, std::vector<uint32_t>& lines,
                                   std::vector<LineRole>& roles) const {
  const Table& table = tables_[tableNumber];
  lines.clear();
  lines.reserve(table.LineCount);
  auto appendGroup = [&](LineGroup group) {
    for (uint32_t k = 0; k < group.Count; ++k) lines.push_back(group.First + k);
  };
  const uint32_t* loose = looseLines_.data() + table.FirstLoose;
  const uint32_t firstRouteLine =
      table.RouteCount == 0 ? static_cast<uint32_t>(table.LineCount) : routes_[table.FirstRoute].Head.First;
  const uint32_t* afterPrefix = std::lower_bound(loose, loose + table.LooseCount, firstRouteLine);
  lines.insert(lines.end(), loose, afterPrefix);
  std::vector<Path> paths;
  for (const uint32_t r : RoutesInOrder(table, order)) {
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
  lines.insert(lines.end(), afterPrefix, loose + table.LooseCount);
  roles.resize(lines.size());
  for (size_t k = 0; k < lines.size(); ++k) roles[k] = roles_[table.FirstRole + lines[k]];
}

}  // namespace tess
