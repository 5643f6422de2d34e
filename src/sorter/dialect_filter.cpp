#include "sorter/dialect_filter.h"

#include <array>
#include <string_view>

namespace tess {

namespace {

// A line is cut into its indentation and comma-separated fields. Field k
// (k >= 1) owns the separator before it (the comma and the spaces after
// it), and a comma that ends the line (a wrapped NX-OS or XR line) belongs
// to the last field: dropping a field therefore never leaves a separator
// behind. The filter marks fields to drop and ranges to cut on the line as
// it came, then compacts the line in place, so what one item finds never
// depends on what another removed, and no line is allocated.
struct Field {
  size_t sep = 0;   // where the separator before it starts (its text for field 0)
  size_t text = 0;  // its first character after the separator's spaces
  size_t end = 0;   // one past its text
  bool keep = true;
};

struct Range {
  size_t from = 0;
  size_t to = 0;
};

// Beyond this many fields the rest of the line is one last field (and kept).
constexpr size_t kMaxFields = 24;
constexpr size_t kMaxCuts = 4;
constexpr size_t npos = std::string_view::npos;
constexpr std::string_view kLastUpdated = "Last updated";

struct FieldLine {
  std::string_view line;
  size_t indent = 0;  // the spaces that open the line
  std::array<Field, kMaxFields> fields{};
  size_t count = 0;
  size_t tail = 0;  // where the trailing comma starts (the line's size when none)
  std::array<Range, kMaxCuts> cuts{};
  size_t cutCount = 0;

  std::string_view Text(size_t k) const {
    std::string_view t = line.substr(fields[k].text, fields[k].end - fields[k].text);
    while (!t.empty() && t.back() == ' ') t.remove_suffix(1);
    return t;
  }
  void Drop(size_t k) { fields[k].keep = false; }
  void Cut(size_t from, size_t to) {
    if (from < to && cutCount < kMaxCuts) cuts[cutCount++] = {from, to};
  }
  bool InCut(size_t at) const {
    for (size_t c = 0; c < cutCount; ++c)
      if (at >= cuts[c].from && at < cuts[c].to) return true;
    return false;
  }
};

size_t SkipSpaces(std::string_view s, size_t at) {
  while (at < s.size() && s[at] == ' ') ++at;
  return at;
}

FieldLine SplitFields(std::string_view line) {
  FieldLine f;
  f.line = line;
  f.indent = SkipSpaces(line, 0);
  f.fields[0] = {f.indent, f.indent, line.size(), true};
  f.count = 1;
  size_t comma = line.find(',', f.indent);
  while (comma != npos && f.count < kMaxFields) {
    f.fields[f.count - 1].end = comma;
    const size_t text = SkipSpaces(line, comma + 1);
    f.fields[f.count++] = {comma, text, line.size(), true};
    comma = line.find(',', text);
  }
  f.tail = line.size();
  const Field& last = f.fields[f.count - 1];
  if (f.count >= 2 && last.text == line.size()) {  // nothing but spaces after the last comma
    f.tail = last.sep;
    --f.count;
  }
  return f;
}

// Writes the kept fields (the first without its separator, spaces at its
// start skipped) and the trailing comma when the last field stays, leaving
// out the cut ranges. Nothing left but the indentation leaves the line empty.
void Compact(std::string& line, const FieldLine& f) {
  bool removes = f.cutCount > 0;
  for (size_t k = 0; k < f.count; ++k) removes = removes || !f.fields[k].keep;
  if (!removes) return;
  size_t w = f.indent;
  bool atStart = true;
  const auto emit = [&](size_t from, size_t to) {
    for (size_t i = from; i < to; ++i) {
      if (f.InCut(i) || (atStart && line[i] == ' ')) continue;
      atStart = false;
      line[w++] = line[i];  // w <= i: the line only shrinks
    }
  };
  for (size_t k = 0; k < f.count; ++k) {
    if (f.fields[k].keep) emit(atStart ? f.fields[k].text : f.fields[k].sep, f.fields[k].end);
  }
  if (f.fields[f.count - 1].keep) emit(f.tail, line.size());
  line.resize(atStart ? 0 : w);
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool IsHex(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Number of digits at `at`.
size_t Digits(std::string_view s, size_t at) {
  size_t n = 0;
  while (at + n < s.size() && IsDigit(s[at + n])) ++n;
  return n;
}

// An age as routers print it: "never", "01:52:23", "0.000000" (NX-OS), or
// one to three number-and-unit groups: "4w4d", "6d02h", "1y16w", "02w00d".
bool IsAge(std::string_view v) {
  if (v == "never") return true;
  const size_t lead = Digits(v, 0);
  if (lead == 0 || lead > 6 || lead == v.size()) return false;
  if (v.size() == lead + 6 && v[lead] == ':' && v[lead + 3] == ':')
    return Digits(v, lead + 1) == 2 && Digits(v, lead + 4) == 2;
  if (v[lead] == '.') return lead + 1 < v.size() && lead + 1 + Digits(v, lead + 1) == v.size();
  size_t at = 0;
  for (int group = 0; group < 3 && at < v.size(); ++group) {
    const size_t n = Digits(v, at);
    if (n == 0 || n > 3 || at + n == v.size()) return false;
    if (std::string_view("ywdhms").find(v[at + n]) == npos) return false;
    at += n + 1;
  }
  return at == v.size();
}

// An address written in hexadecimal groups: "fe80::1", "2001:DB8::2".
bool IsIpv6Text(std::string_view v) {
  bool colon = false;
  for (char c : v) {
    if (c == ':') colon = true;
    else if (!IsHex(c) && c != '.') return false;
  }
  return colon;
}

// An interface name: a letter, then letters, digits and "/.:-_", with a
// digit somewhere ("Eth1/1", "Lo3", "GigabitEthernet0/0/0/0.390",
// "MgmtEth0/RP0/CPU0/0", "Bundle-Ether1"); "directly connected",
// "receive" and addresses are none.
bool IsInterfaceName(std::string_view v) {
  if (v.empty() || !IsLetter(v[0]) || IsIpv6Text(v)) return false;
  bool digit = false;
  for (char c : v) {
    if (IsDigit(c)) digit = true;
    else if (!IsLetter(c) && std::string_view("/.:-_").find(c) == npos) return false;
  }
  return digit;
}

// Length of an "[AD/METRIC]" token at `at`, 0 when there is none.
size_t CostTokenAt(std::string_view s, size_t at) {
  if (at >= s.size() || s[at] != '[') return 0;
  const size_t ad = Digits(s, at + 1);
  if (ad == 0 || at + 1 + ad >= s.size() || s[at + 1 + ad] != '/') return 0;
  const size_t close = at + 2 + ad + Digits(s, at + 2 + ad);
  return close > at + 2 + ad && close < s.size() && s[close] == ']' ? close + 1 - at : 0;
}

// Index of the field that is a cost token alone (NX-OS), f.count when none.
size_t CostField(const FieldLine& f) {
  for (size_t k = 0; k < f.count; ++k) {
    const std::string_view t = f.Text(k);
    if (!t.empty() && CostTokenAt(t, 0) == t.size()) return k;
  }
  return f.count;
}

// The first field a filter may take: a continuation holds no next hop, so
// its first field may go; other lines keep the field that opens them.
size_t FirstRemovable(LineRole role) { return role == LineRole::Continuation ? 0 : 1; }

// Start of the destination of an IOS IPv6 or XR head: the first of its
// first four words that holds a colon or starts with a digit (a route code
// never does: "LC", "OE2", "i L1", "a*"), looked for before any "[". The
// body's start when none is found.
size_t DestinationStart(std::string_view line, size_t body) {
  size_t at = body;
  for (int word = 0; word < 4 && at < line.size(); ++word) {
    size_t end = line.find(' ', at);
    if (end == npos) end = line.size();
    const std::string_view w = line.substr(at, end - at);
    if (w[0] == '[') break;
    if (IsDigit(w[0]) || w.find(':') != npos) return at;
    at = SkipSpaces(line, end);
  }
  return body;
}

// Replaces the route code before the destination by "-" and spaces of the
// code's width, so that the destination keeps its column.
void BlankRouteCode(std::string& line, size_t body, size_t destination) {
  for (size_t i = body; i < destination; ++i) line[i] = i == body ? '-' : ' ';
}

// Destination items: a head keeps its indentation and destination (with or
// without "/LEN"), the route code written as "-"; its other lines empty.
void KeepDestination(std::string& line, TableDialect dialect, LineRole role, bool withMask) {
  if (!OpensRoute(role)) return line.clear();
  const size_t body = SkipSpaces(line, 0);
  const size_t destination = dialect == TableDialect::Nxos ? body : DestinationStart(line, body);
  BlankRouteCode(line, body, destination);
  const size_t end = line.find_first_of(withMask ? " ,[" : " ,[/", destination);
  if (end != npos) line.resize(end);
}

void DropTime(FieldLine& f, LineRole role) {
  for (size_t k = FirstRemovable(role); k < f.count; ++k)
    if (IsAge(f.Text(k))) f.Drop(k);
  const Field& first = f.fields[0];
  if (role == LineRole::Continuation && f.Text(0).starts_with(kLastUpdated))
    f.Cut(first.text + kLastUpdated.size(), first.end);
}

// NX-OS: the field just before the cost ("*via 10.1.1.1, Eth1/1, [110/2]"),
// or, with no cost, the field after the hop; a hop field stays.
void DropNxosInterface(FieldLine& f, LineRole role) {
  const size_t cost = CostField(f);
  if (cost == 0 || (cost == f.count && !HoldsPath(role))) return;
  const size_t k = cost < f.count ? cost - 1 : 1;
  if (k >= FirstRemovable(role) && k < f.count && IsInterfaceName(f.Text(k))) f.Drop(k);
}

// IOS IPv6 and XR: the last field when it names an interface, a mark after
// it (XR's backup path, " (!)") kept.
void DropLastInterface(FieldLine& f, LineRole role) {
  const size_t k = f.count - 1;
  if (k < FirstRemovable(role)) return;
  std::string_view name = f.Text(k);
  const size_t mark = name.ends_with(')') ? name.rfind(" (") : npos;
  if (mark != npos) name = name.substr(0, mark);
  if (!IsInterfaceName(name)) return;
  if (mark == npos) return f.Drop(k);
  const Field& field = f.fields[k];
  f.Cut(k == 0 ? field.text : field.sep, field.text + mark);
}

// NX-OS: the word after the age, which follows the cost.
void DropNxosProtocol(FieldLine& f, LineRole role) {
  size_t k = CostField(f);
  if (k < f.count) {
    ++k;
    if (k < f.count && IsAge(f.Text(k))) ++k;
  } else {
    k = 0;
    while (k < f.count && !IsAge(f.Text(k))) ++k;
    ++k;
  }
  if (k >= FirstRemovable(role) && k < f.count) {
    const std::string_view word = f.Text(k);
    if (!word.empty() && word.find(' ') == npos) f.Drop(k);
  }
}

// The first "[AD/METRIC]" of the line: a field of its own goes whole; inside
// a field it goes with one space, the one before it or, at the field's start
// ("[1/0] via ..."), the one after it.
void DropCost(FieldLine& f, LineRole role) {
  for (size_t k = 0; k < f.count; ++k) {
    const std::string_view t = f.Text(k);
    for (size_t at = t.find('['); at != npos; at = t.find('[', at + 1)) {
      const size_t n = CostTokenAt(t, at);
      if (n == 0) continue;
      const size_t from = f.fields[k].text + at;
      if (n == t.size() && k >= FirstRemovable(role)) f.Drop(k);
      else if (at == 0) f.Cut(from, from + n + (n < t.size() && t[n] == ' ' ? 1 : 0));
      else f.Cut(from - (t[at - 1] == ' ' ? 1 : 0), from + n);
      return;
    }
  }
}

// Items 4, 2, 1 and 3 in the order of the IOS filter. Each finds its fields
// on the line as it came, so no item hides or shifts what another looks for.
void DropItems(std::string& line, TableDialect dialect, LineRole role, const InfoFilter& filter) {
  const bool nxos = dialect == TableDialect::Nxos;
  if (filter.Has(FilterItem::Protocol) && !nxos && OpensRoute(role)) {
    const size_t body = SkipSpaces(line, 0);
    BlankRouteCode(line, body, DestinationStart(line, body));
  }
  FieldLine f = SplitFields(line);
  if (filter.Has(FilterItem::Protocol) && nxos) DropNxosProtocol(f, role);
  if (filter.Has(FilterItem::Time)) DropTime(f, role);
  if (filter.Has(FilterItem::Interface)) {
    if (nxos) DropNxosInterface(f, role);
    else DropLastInterface(f, role);
  }
  if (filter.Has(FilterItem::Cost)) DropCost(f, role);
  Compact(line, f);
}

}  // namespace

// IOS IPv4 lines are not route blocks: ApplyInfoFilter is theirs.
void ApplyDialectFilter(std::string& line, TableDialect dialect, LineRole role, const InfoFilter& filter) {
  if (role == LineRole::Loose || !ReadsRouteBlocks(dialect)) return;
  if (filter.Has(FilterItem::DestinationOnly)) return KeepDestination(line, dialect, role, false);
  if (filter.Has(FilterItem::DestinationAndMask)) return KeepDestination(line, dialect, role, true);
  DropItems(line, dialect, role, filter);
}

}  // namespace tess
