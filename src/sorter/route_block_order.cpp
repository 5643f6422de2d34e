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
  places_.push_back(place);
}

// The fields of a route's key in an order's precedence: addresses as two
// words, the mask length and the protocol as one each.
std::array<uint64_t, 6> RouteBlockOrder::KeyOf(uint32_t r, SortOrder order) const {
  const Route& route = routes_[r];
  const uint64_t dh = route.Destination.High, dl = route.Destination.Low;
  const uint64_t hh = route.FirstHop.High, hl = route.FirstHop.Low;
  const uint64_t mask = route.MaskLength, proto = route.Protocol;
  switch (order) {
    case SortOrder::NextHop: return {hh, hl, dh, dl, mask, proto};
    case SortOrder::MaskThenDestination: return {mask, dh, dl, hh, hl, proto};
    case SortOrder::MaskThenNextHop: return {mask, hh, hl, dh, dl, proto};
    case SortOrder::ProtocolThenDestination: return {proto, dh, dl, mask, hh, hl};
    case SortOrder::ProtocolThenNextHop: return {proto, hh, hl, dh, dl, mask};
    case SortOrder::Destination:
    default: return {dh, dl, mask, hh, hl, proto};
  }
}

namespace {

// The first 192 bits of a key whose words are 64 bits wide except the mask
// length's, which takes 8 (it is at most 128): keys compare as these bits
// do, unless the bits are equal.
std::array<uint64_t, 3> KeyHead(const std::array<uint64_t, 6>& key, size_t maskWord) {
  std::array<uint64_t, 3> head{};
  size_t bits = 0;
  for (size_t w = 0; w < key.size() && bits < 192; ++w) {
    const size_t width = w == maskWord ? 8 : 64;
    const uint64_t value = key[w] << (64 - width);  // left-aligned
    const size_t at = bits / 64, used = bits % 64;
    head[at] |= value >> used;
    if (used > 0 && at + 1 < head.size()) head[at + 1] |= value << (64 - used);
    bits += width;
  }
  return head;
}

size_t MaskWordOf(SortOrder order) {
  switch (order) {
    case SortOrder::NextHop: return 4;
    case SortOrder::MaskThenDestination:
    case SortOrder::MaskThenNextHop: return 0;
    case SortOrder::ProtocolThenDestination: return 3;
    case SortOrder::ProtocolThenNextHop: return 5;
    case SortOrder::Destination:
    default: return 2;
  }
}

}  // namespace

// Routes of `table` in key order (indexes into routes_), routes with equal
// keys in log order. They are sorted on the first 192 bits of their keys
// and on the whole key only where those are equal: 32 bytes a route to
// move instead of 56.
std::vector<uint32_t> RouteBlockOrder::RoutesInOrder(const Table& table, SortOrder order) const {
  struct Entry {
    std::array<uint64_t, 3> head;
    uint32_t route;
  };
  const size_t maskWord = MaskWordOf(order);
  std::vector<Entry, LargeAllocator<Entry>> entries(table.RouteCount);
  for (size_t k = 0; k < table.RouteCount; ++k) {
    const uint32_t r = static_cast<uint32_t>(table.FirstRoute + k);
    entries[k] = {KeyHead(KeyOf(r, order), maskWord), r};
  }
  std::sort(entries.begin(), entries.end(), [&](const Entry& a, const Entry& b) {
    for (size_t w = 0; w < 3; ++w) {
      if (a.head[w] != b.head[w]) return a.head[w] < b.head[w];
    }
    const std::array<uint64_t, 6> keyA = KeyOf(a.route, order), keyB = KeyOf(b.route, order);
    for (size_t w = 0; w < keyA.size(); ++w) {
      if (keyA[w] != keyB[w]) return keyA[w] < keyB[w];
    }
    return a.route < b.route;
  });
  std::vector<uint32_t> routes(entries.size());
  for (size_t k = 0; k < entries.size(); ++k) routes[k] = entries[k].route;
  return routes;
}

void RouteBlockOrder::LinesInOrder(size_t tableNumber, SortOrder order, std::vector<LinePlace>& places,
                                   std::vector<LineRole>& roles) const {
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
  const uint32_t* loose = looseLines_.data() + table.FirstLoose;
  const uint32_t firstRouteLine =
      table.RouteCount == 0 ? static_cast<uint32_t>(table.LineCount) : routes_[table.FirstRoute].Head.First;
  const uint32_t* afterPrefix = std::lower_bound(loose, loose + table.LooseCount, firstRouteLine);
  std::for_each(loose, afterPrefix, appendLine);
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
  std::for_each(afterPrefix, loose + table.LooseCount, appendLine);
}

}  // namespace tess
