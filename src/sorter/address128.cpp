#include "sorter/address128.h"

#include <array>
#include <cstdio>

namespace tess {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The value of each byte as a hexadecimal digit, -1 for other bytes: a
// look-up, since every address of a log is read through it.
constexpr std::array<int8_t, 256> kHexValues = [] {
  std::array<int8_t, 256> values{};
  for (int c = 0; c < 256; ++c) {
    values[static_cast<size_t>(c)] = c >= '0' && c <= '9'   ? static_cast<int8_t>(c - '0')
                                     : c >= 'a' && c <= 'f' ? static_cast<int8_t>(c - 'a' + 10)
                                     : c >= 'A' && c <= 'F' ? static_cast<int8_t>(c - 'A' + 10)
                                                            : int8_t{-1};
  }
  return values;
}();

int HexValue(char c) { return kHexValues[static_cast<unsigned char>(c)]; }

// A dotted quad at the start of `text`: characters read, 0 when none.
size_t ReadDottedQuad(std::string_view text, uint32_t& value) {
  size_t p = 0;
  value = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (p >= text.size() || text[p] != '.') return 0;
      ++p;
    }
    unsigned part = 0;
    size_t digits = 0;
    while (p < text.size() && IsDigit(text[p]) && digits < 3) {
      part = part * 10 + static_cast<unsigned>(text[p++] - '0');
      ++digits;
    }
    if (digits == 0 || part > 255) return 0;
    value = value << 8 | part;
  }
  return p;
}

using Groups = std::array<uint16_t, 8>;

Address128 FromGroups(const Groups& g) {
  Address128 a;
  for (int k = 0; k < 4; ++k) a.High = a.High << 16 | g[static_cast<size_t>(k)];
  for (int k = 4; k < 8; ++k) a.Low = a.Low << 16 | g[static_cast<size_t>(k)];
  return a;
}

// IPv6 text at the start of `text`: characters read, 0 when none. Groups of
// one to four hexadecimal digits separated by ":", one "::" for a run of
// zero groups, and a dotted quad in place of the last two groups.
size_t ReadIpv6(std::string_view text, Groups& groups) {
  Groups parsed{};
  size_t count = 0;
  size_t gap = 9;  // where "::" stands among the groups; 9: nowhere
  size_t p = 0, end = 0;
  if (text.starts_with("::")) {
    gap = 0;
    p = end = 2;
  }
  while (count < 8) {
    size_t q = p;
    unsigned value = 0;
    for (int digit; q < text.size() && q - p < 5 && (digit = HexValue(text[q])) >= 0; ++q) {
      value = value << 4 | static_cast<unsigned>(digit);
    }
    if (q == p) break;
    if (q - p > 4) return 0;
    if (q < text.size() && text[q] == '.') {
      uint32_t v4 = 0;
      const size_t quad = count <= 6 ? ReadDottedQuad(text.substr(p), v4) : 0;
      if (quad == 0) return 0;
      parsed[count++] = static_cast<uint16_t>(v4 >> 16);
      parsed[count++] = static_cast<uint16_t>(v4 & 0xFFFF);
      end = p + quad;
      break;
    }
    parsed[count++] = static_cast<uint16_t>(value);
    p = end = q;
    if (p + 1 >= text.size() || text[p] != ':') break;
    if (text[p + 1] == ':') {
      if (gap != 9) break;
      gap = count;
      p = end = p + 2;
    } else if (HexValue(text[p + 1]) >= 0) {
      ++p;
    } else {
      break;
    }
  }
  if (gap == 9 ? count != 8 : count > 7) return 0;
  groups.fill(0);
  const size_t head = gap == 9 ? count : gap;
  for (size_t k = 0; k < head; ++k) groups[k] = parsed[k];
  for (size_t k = head; k < count; ++k) groups[8 - count + k] = parsed[k];
  return end;
}

// The canonical text of an IPv6 address: lower case, no leading zeros, the
// first longest run of two or more zero groups as "::".
std::string CanonicalText(const Groups& g) {
  size_t bestStart = 8, bestLength = 1;
  for (size_t k = 0; k < 8;) {
    size_t run = 0;
    while (k + run < 8 && g[k + run] == 0) ++run;
    if (run > bestLength) {
      bestStart = k;
      bestLength = run;
    }
    k += run > 0 ? run : 1;
  }
  std::string text;
  for (size_t k = 0; k < 8; ++k) {
    if (k == bestStart) {
      text += "::";
      k += bestLength - 1;
      continue;
    }
    if (!text.empty() && text.back() != ':') text += ':';
    char group[8];
    std::snprintf(group, sizeof group, "%x", g[k]);
    text += group;
  }
  return text;
}

bool IsAlphanumeric(char c) { return HexValue(c) >= 0 || (c >= 'g' && c <= 'z') || (c >= 'G' && c <= 'Z'); }

bool AddressCharacter(char c) { return HexValue(c) >= 0 || c == ':' || c == '.'; }

}  // namespace

// Digits then "." start a dotted quad, never IPv6 text: such text is read
// once, as a quad.
size_t ReadAddress(std::string_view text, Address128& address) {
  const size_t digits = text.find_first_not_of("0123456789");
  if (digits != std::string_view::npos && digits > 0 && text[digits] == '.') {
    uint32_t v4 = 0;
    const size_t quad = ReadDottedQuad(text, v4);
    if (quad > 0) address = Address128::FromIpv4(v4);
    return quad;
  }
  Groups groups;
  const size_t v6 = ReadIpv6(text, groups);
  if (v6 > 0) address = FromGroups(groups);
  return v6;
}

std::string WithCanonicalAddresses(std::string_view line) {
  std::string out;
  out.reserve(line.size());
  for (size_t p = 0; p < line.size();) {
    // An address is a whole token: at the line's start or after a character
    // that cannot be part of one, and up to the end or such a character.
    // ("::1.1.1.1:2" is no address: rewritten "::101:101:2", it would read
    // as another.)
    const auto outside = [&](size_t at) { return !(AddressCharacter(line[at]) || IsAlphanumeric(line[at])); };
    const bool tokenStart = p == 0 || outside(p - 1);
    Groups groups;
    const size_t length = tokenStart ? ReadIpv6(line.substr(p), groups) : 0;
    const bool whole = length > 0 && (p + length >= line.size() || outside(p + length));
    if (whole && line.substr(p, length).find(':') != std::string_view::npos) {
      out += CanonicalText(groups);
      p += length;
      continue;
    }
    out += line[p++];
  }
  return out;
}

}  // namespace tess
