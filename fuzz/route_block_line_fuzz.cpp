// The recognisers of tables read as route blocks (NX-OS, IOS IPv6, IOS-XR)
// over six streams: each dialect's log, and its sort result read back.
// Every line also goes through the address reader, the canonical form and
// the information filter; the log lines of each dialect go to a route block
// order, whose six orders must give back every line of a table once, each
// route whole, its head first, the routes in the order's key order.
//
// Input: lines separated by LF. The first byte B of a line picks where it
// goes: B % 7 is the stream (0 to 2 the logs of Nxos, IosIpv6 and Xr,
// 3 to 5 their sort results), or, with 6, a new table of the log of dialect
// (B / 7) % 3, which the line opens; FilterOf(B / 7) is the filter it is
// tried with.
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "sorter/address128.h"
#include "sorter/dialect_filter.h"
#include "sorter/log_format.h"
#include "sorter/route_block_order.h"
#include "sorter/route_block_stream.h"

using namespace tess;
using namespace tess::fuzz;

namespace {

constexpr TableDialect kDialects[] = {TableDialect::Nxos, TableDialect::IosIpv6, TableDialect::Xr};
constexpr LineRole kRoles[] = {LineRole::Loose, LineRole::Head, LineRole::HeadWithPath, LineRole::Path,
                               LineRole::Continuation};

bool InRoute(LineRole role) { return role != LineRole::Loose; }

// One stream of lines and what its earlier lines allow of the next one: a
// path only in an open route, a continuation only right under a line of a
// route (and never a prompt or a line that names a table).
struct Stream {
  RouteBlockStream lines;
  LineRole previous = LineRole::Loose;  // the role of the line above
  bool routeOpen = false;               // a head came, and no line that ends its route since

  Stream(TableDialect dialect, RouteBlockStream::Source source) : lines(dialect, source) {}
};

// What the order of a dialect's log was told, table by table.
struct Told {
  RouteBlockOrder order;
  std::vector<std::vector<BlockLine>> tables;
};

void CheckRole(Stream& s, const BlockLine& f, std::string_view line) {
  FUZZ_CHECK(f.MaskLength >= 0 && f.MaskLength <= 128);
  if (OpensRoute(f.Role)) FUZZ_CHECK(f.Destination != Address128::None());
  if (f.Role == LineRole::Path) FUZZ_CHECK(s.routeOpen);
  if (f.Role == LineRole::Continuation) {
    FUZZ_CHECK(InRoute(s.previous) && !LooksLikePrompt(line));
    FUZZ_CHECK(!line.starts_with(kXrVrfPrefix) && !line.starts_with(kRoutingTablePrefix));
  }
  if (OpensRoute(f.Role)) s.routeOpen = true;
  if (f.Role == LineRole::Loose && !IsBlankLine(line)) s.routeOpen = false;
  s.previous = f.Role;
}

// A copy of `text` in memory of exactly its size, so that a read past it
// is caught.
std::unique_ptr<char[]> ExactCopy(std::string_view text) {
  std::unique_ptr<char[]> copy(new char[text.size()]);
  text.copy(copy.get(), text.size());
  return copy;
}

// From every column: the address read stays within the text, and reading
// only the characters it took gives the same address.
void CheckReadAddress(std::string_view line) {
  const std::unique_ptr<char[]> copy = ExactCopy(line);
  for (size_t p = 0; p < line.size(); ++p) {
    const std::string_view text(copy.get() + p, line.size() - p);
    Address128 address;
    const size_t length = ReadAddress(text, address);
    FUZZ_CHECK(length <= text.size());
    if (length == 0) continue;
    const std::unique_ptr<char[]> taken = ExactCopy(text.substr(0, length));
    Address128 again;
    FUZZ_CHECK(ReadAddress(std::string_view(taken.get(), length), again) == length);
    FUZZ_CHECK(again == address);
  }
}

size_t LineBreaks(std::string_view text) {
  size_t count = 0;
  for (const char c : text) count += c == '\n' || c == '\r';
  return count;
}

void CheckTextForms(std::string_view line, TableDialect dialect, const InfoFilter& filter) {
  CheckReadAddress(line);
  const std::string canonical = WithCanonicalAddresses(line);
  FUZZ_CHECK(WithCanonicalAddresses(canonical) == canonical);
  if (line.find(':') == std::string_view::npos) FUZZ_CHECK(canonical == line);
  for (const LineRole role : kRoles) {
    std::string filtered(line);
    ApplyDialectFilter(filtered, dialect, role, filter);
    FUZZ_CHECK(filtered.size() <= line.size());
    FUZZ_CHECK(LineBreaks(filtered) <= LineBreaks(line));
  }
}

constexpr size_t kNone = static_cast<size_t>(-1);

// The route each told line belongs to (its head's line number), kNone for
// a line of none, and the role the order gives it (a path or continuation
// before the first head is loose).
void RoutesOf(const std::vector<BlockLine>& told, std::vector<size_t>& route, std::vector<LineRole>& role) {
  size_t current = kNone;
  for (size_t k = 0; k < told.size(); ++k) {
    role[k] = told[k].Role;
    if (OpensRoute(role[k])) current = k;
    if (InRoute(role[k]) && current == kNone) role[k] = LineRole::Loose;
    route[k] = InRoute(role[k]) ? current : kNone;
  }
}

using Key = std::array<uint64_t, 6>;

// The key of the route whose head is line `head` under `order`: the fields
// in the order's precedence, the next hop being its first path's, the
// protocol its head's or else that of its first path that has one.
Key KeyOf(const std::vector<BlockLine>& told, const std::vector<size_t>& route, size_t head, SortOrder order) {
  const BlockLine& h = told[head];
  Address128 hop = HoldsPath(h.Role) ? h.NextHop : Address128::None();
  bool hopSet = HoldsPath(h.Role);
  uint64_t proto = h.Protocol;
  for (size_t k = head + 1; k < told.size() && !OpensRoute(told[k].Role); ++k) {
    if (route[k] != head || told[k].Role != LineRole::Path) continue;
    if (!hopSet) hop = told[k].NextHop;
    hopSet = true;
    if (proto == 0) proto = told[k].Protocol;
  }
  const uint64_t dh = h.Destination.High, dl = h.Destination.Low, hh = hop.High, hl = hop.Low;
  const uint64_t mask = static_cast<uint64_t>(h.MaskLength);
  switch (order) {
    case SortOrder::NextHop: return {hh, hl, dh, dl, mask, proto};
    case SortOrder::MaskThenDestination: return {mask, dh, dl, hh, hl, proto};
    case SortOrder::MaskThenNextHop: return {mask, hh, hl, dh, dl, proto};
    case SortOrder::ProtocolThenDestination: return {proto, dh, dl, mask, hh, hl};
    case SortOrder::ProtocolThenNextHop: return {proto, hh, hl, dh, dl, mask};
    case SortOrder::Destination: break;
  }
  return {dh, dl, mask, hh, hl, proto};
}

// Line number `line` as the place the order is told: it gives back places.
LinePlace PlaceOf(size_t line) { return LinePlace::Of(static_cast<int64_t>(line) + 1, 1); }

// `places` holds each told line once, with its role; routes come in key
// order (equal keys in log order), each route's lines follow one another,
// its head first, each continuation right after the line it continues, its
// paths by next hop; loose lines keep their order.
void CheckOrder(const std::vector<BlockLine>& told, SortOrder order, const std::vector<LinePlace>& places,
                const std::vector<LineRole>& roles) {
  const size_t n = told.size();
  FUZZ_CHECK(places.size() == n && roles.size() == n);
  std::vector<size_t> route(n), at(n, kNone);
  std::vector<LineRole> role(n);
  RoutesOf(told, route, role);
  size_t previous = kNone, lastLoose = kNone, lastPath = kNone, lastHead = kNone;
  Key lastKey{};
  for (size_t k = 0; k < n; ++k) {
    FUZZ_CHECK(places[k].Position() >= 1 && places[k].Length() == 1);
    const size_t line = static_cast<size_t>(places[k].Position() - 1);
    FUZZ_CHECK(line < n && at[line] == kNone);
    at[line] = k;
    FUZZ_CHECK(roles[k] == role[line]);
    if (route[line] == kNone) {
      FUZZ_CHECK(lastLoose == kNone || line > lastLoose);
      lastLoose = line;
    } else if (OpensRoute(role[line])) {
      FUZZ_CHECK(route[line] == line);
      const Key key = KeyOf(told, route, line, order);
      if (lastHead != kNone) FUZZ_CHECK(lastKey < key || (lastKey == key && lastHead < line));
      lastHead = line;
      lastKey = key;
      lastPath = kNone;
    } else {
      FUZZ_CHECK(previous != kNone && route[previous] == route[line]);
      if (role[line] == LineRole::Continuation) FUZZ_CHECK(previous == line - 1);
      if (role[line] == LineRole::Path) {
        if (lastPath != kNone) FUZZ_CHECK(!(told[line].NextHop < told[lastPath].NextHop));
        lastPath = line;
      }
    }
    previous = line;
  }
}

void CheckOrders(Told& told) {
  std::vector<LinePlace> places;
  std::vector<LineRole> roles;
  for (size_t t = 0; t < told.tables.size(); ++t) {
    for (int order = 0; order < kSortOrderCount; ++order) {
      told.order.LinesInOrder(t, static_cast<SortOrder>(order), places, roles);
      CheckOrder(told.tables[t], static_cast<SortOrder>(order), places, roles);
    }
  }
}

std::string_view NextLine(std::string_view& rest) {
  const size_t end = rest.find('\n');
  const std::string_view line = rest.substr(0, end);
  rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  return line;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using Source = RouteBlockStream::Source;
  std::vector<Stream> streams;
  for (const Source source : {Source::Log, Source::SortResult}) {
    for (const TableDialect dialect : kDialects) streams.emplace_back(dialect, source);
  }
  Told told[3];
  for (Told& t : told) {
    t.order.StartTable();
    t.tables.emplace_back();
  }
  std::string_view rest(reinterpret_cast<const char*>(data), size);
  while (!rest.empty()) {
    std::string_view line = NextLine(rest);
    const uint8_t pick = line.empty() ? 0 : static_cast<uint8_t>(line[0]);
    if (!line.empty()) line.remove_prefix(1);
    size_t s = pick % 7;
    if (s == 6) {  // a new table of a log
      s = pick / 7 % 3;
      streams[s] = Stream(kDialects[s], Source::Log);
      told[s].order.StartTable();
      told[s].tables.emplace_back();
    }
    const BlockLine fields = streams[s].lines.Parse(line);
    CheckRole(streams[s], fields, line);
    CheckTextForms(line, kDialects[s % 3], FilterOf(pick / 7));
    if (s < 3) {
      told[s].order.Add(fields, PlaceOf(told[s].tables.back().size()));
      told[s].tables.back().push_back(fields);
    }
  }
  for (Told& t : told) CheckOrders(t);
  return 0;
}
