#include "sorter/info_filter.h"

namespace tess {

namespace {

constexpr size_t npos = std::string::npos;

// Character at 1-based column `col`, or 0 (the empty character) beyond.
char Col(std::string_view s, size_t col) { return col >= 1 && col <= s.size() ? s[col - 1] : '\0'; }

// 1-based column of `what` searched from column `from`, 0 when absent.
size_t FindFrom(std::string_view s, std::string_view what, size_t from) {
  if (from > s.size()) return 0;
  const size_t at = s.find(what, from - 1);
  return at == npos ? 0 : at + 1;
}

// Keeps the first column-1 characters; a column of 0 cuts nothing.
void CutBefore(std::string& s, size_t column) {
  if (column >= 1) s.resize(column - 1);
}

void Overwrite(std::string& s, size_t col, std::string_view with) {
  for (size_t k = 0; k < with.size() && col - 1 + k < s.size(); ++k) s[col - 1 + k] = with[k];
}

bool EndsWith(std::string_view s, std::string_view tail) {
  return s.size() >= tail.size() && s.substr(s.size() - tail.size()) == tail;
}

void KeepDestinationOnly(std::string& s) {
  if (Col(s, 1) != ' ') Overwrite(s, 1, "-    ");
  CutBefore(s, FindFrom(s, " ", 10));
  CutBefore(s, FindFrom(s, "/", 10));
}

void KeepDestinationAndMask(std::string& s) {
  if (Col(s, 1) != ' ') Overwrite(s, 1, "-    ");
  CutBefore(s, FindFrom(s, ",", 10));
  CutBefore(s, FindFrom(s, " [", 10));
  CutBefore(s, FindFrom(s, " is ", 10));
}

void DropProtocol(std::string& s) {
  if (Col(s, 1) == ' ') return;
  Overwrite(s, 1, "-");
  Overwrite(s, 3, "   ");
}

void DropTime(std::string& s, std::string_view asRead) {
  const size_t u = FindFrom(s, ",", 1);
  const size_t v = u + 1;
  const size_t w = FindFrom(s, ",", v);
  if (u >= 1 && w > v) {
    if (!EndsWith(std::string_view(s).substr(v - 1, w - v), "nets")) s.erase(v - 1, w - v + 1);
    return;
  }
  const bool bgp = asRead.substr(0, 2) == "B " || asRead.substr(0, 2) == "B*";
  if (u >= 1 && bgp) CutBefore(s, u);
}

void DropInterface(std::string& s) {
  const size_t last = s.rfind(',');
  if (last == npos) return;
  if (EndsWith(s, "asks") || EndsWith(s, "nets")) return;
  s.resize(last);
}

void DropCost(std::string& s) {
  const size_t e = FindFrom(s, "[", 1);
  if (e < 2) return;
  const size_t h = FindFrom(s, "]", e + 1);
  if (h <= e + 1) return;
  s = s.substr(0, e - 2) + s.substr(h);
}

}  // namespace

bool PassesWriterRouteTest(std::string_view s) {
  const char c2 = Col(s, 2);
  return Col(s, 1) != ' ' && (Col(s, 5) == ' ' || Col(s, 6) == ' ') && Col(s, 10) != ' ' &&
         (c2 == ' ' || c2 == '*');
}

void ApplyInfoFilter(std::string& line, const InfoFilter& f, std::string_view asRead) {
  if (f.Has(FilterItem::DestinationOnly)) return KeepDestinationOnly(line);
  if (f.Has(FilterItem::DestinationAndMask)) return KeepDestinationAndMask(line);
  if (f.Has(FilterItem::Protocol)) DropProtocol(line);
  if (f.Has(FilterItem::Time)) DropTime(line, asRead);
  if (f.Has(FilterItem::Interface)) DropInterface(line);
  if (f.Has(FilterItem::Cost)) DropCost(line);
}

}  // namespace tess
