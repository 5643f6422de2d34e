#include "sorter/coded_route_line.h"


namespace tess {

namespace {

bool IsCodeCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' || c == '-' ||
         c == '+' || c == '%' || c == '>';
}

// Length of a code word (1 to 4 code characters followed by a space) at `p`, 0 when none.
size_t CodeWordLength(std::string_view line, size_t p) {
  size_t q = p;
  while (q < line.size() && q - p < 5 && IsCodeCharacter(line[q])) ++q;
  return q > p && q - p <= 4 && q < line.size() && line[q] == ' ' ? q - p : 0;
}

size_t SkipSpaces(std::string_view line, size_t p) {
  while (p < line.size() && line[p] == ' ') ++p;
  return p;
}

constexpr std::string_view kDirectlyConnected = "is directly connected";

// The path that starts at `p` ("via ...", "[AD/METRIC] via ..." or, for a
// further interface of a connected route, "is directly connected, ..."):
// whether there is one, and its next hop.
bool ReadPath(std::string_view line, size_t p, Address128& hop) {
  if (line.substr(p).starts_with(kDirectlyConnected)) {
    hop = Address128{};
    return true;
  }
  if (p < line.size() && line[p] == '[') {
    const size_t close = line.find("] ", p);
    if (close == std::string_view::npos) return false;
    p = close + 2;
  }
  if (line.substr(p, 4) != "via ") return false;
  hop = ReadNextHop(line.substr(p + 4));
  return true;
}

// A head: the code words, the destination with its mask, and what follows.
BlockLine ReadHead(std::string_view line, size_t codeStart, bool sortResult, Destinations destinations) {
  size_t p = codeStart;
  size_t word = CodeWordLength(line, p);
  if (word == 0) return {};
  size_t codeEnd = p + word;
  p = SkipSpaces(line, codeEnd);
  // A second code word of one or two characters ("i L1", "O E2").
  const size_t second = CodeWordLength(line, p);
  if (second > 0 && second <= 2) {
    codeEnd = p + second;
    p = SkipSpaces(line, codeEnd);
  }
  BlockLine fields;
  const size_t address = ReadAddress(line.substr(p), fields.Destination);
  const bool ipv6 = line.substr(p, address).find(':') != std::string_view::npos;
  if (address == 0 || (!ipv6 && destinations == Destinations::Ipv6)) return {};
  p += address;
  if (const size_t mask = ReadMaskLength(line.substr(p), ipv6 ? 128 : 32, fields.MaskLength); mask > 0) {
    p += mask;
  } else if (!sortResult) {
    return {};
  }
  if (p < line.size() && line[p] != ' ' && line[p] != ',') return {};
  fields.Role = LineRole::Head;
  fields.Protocol = PackProtocol(line.substr(codeStart, codeEnd - codeStart));
  const std::string_view rest = line.substr(p);
  if (rest.find(kDirectlyConnected) != std::string_view::npos) {
    fields.Role = LineRole::HeadWithPath;
    fields.NextHop = Address128{};
  } else if (const size_t via = rest.find(" via "); via != std::string_view::npos) {
    fields.Role = LineRole::HeadWithPath;
    fields.NextHop = ReadNextHop(rest.substr(via + 5));
  }
  return fields;
}

}  // namespace

BlockLine ReadCodedRouteLine(std::string_view line, bool sortResult, Destinations destinations) {
  const size_t first = SkipSpaces(line, 0);
  if (first >= line.size()) return {};
  BlockLine fields;
  if (ReadPath(line, first, fields.NextHop)) {
    fields.Role = LineRole::Path;
    return fields;
  }
  return ReadHead(line, first, sortResult, destinations);
}

}  // namespace tess
