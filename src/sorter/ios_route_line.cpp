#include "sorter/ios_route_line.h"

#include <string>

namespace tess {

namespace {

// Character at 0-based index i, or 0 (the empty character) past the end.
char At(std::string_view s, size_t i) { return i < s.size() ? s[i] : '\0'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads a dotted quad at `p` (0-based). Octets 1 to 3 end in "."; what may
// follow octet 4 is decided by `acceptEnd`. Returns false when invalid.
template <typename AcceptEnd>
bool ReadDottedQuad(std::string_view s, size_t& p, int (&octet)[4], AcceptEnd acceptEnd) {
  for (int k = 0; k < 4; ++k) {
    if (!IsDigit(At(s, p))) return false;
    int value = 0;
    int digits = 0;
    while (digits < 3 && IsDigit(At(s, p))) {
      value = value * 10 + (s[p] - '0');
      ++p;
      ++digits;
    }
    if (value > 255) return false;
    octet[k] = value;
    if (k < 3) {
      if (At(s, p) != '.') return false;
      ++p;
    } else if (!acceptEnd(p)) {
      return false;
    }
  }
  return true;
}

// Mask length of a hexadecimal mask whose "0x" stands at p; -1 when invalid.
int ReadHexMask(std::string_view s, size_t p) {
  size_t q = p + 2;
  int bits = 0;
  for (int k = 0; k < 8; ++k) {
    char c = At(s, q + k);
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (c == 'F') {
      bits += 4;
      continue;
    }
    if (c == 'E') bits += 3;
    else if (c == 'C') bits += 2;
    else if (c == '8') bits += 1;
    else if (c != '0') return -1;
    break;
  }
  return At(s, q + 8) == ' ' ? bits : -1;
}

// Bits of one dotted-mask octet text (".255", ".0", ...); advances p.
int DottedOctetBits(std::string_view text, size_t& p) {
  if (text.substr(0, 2) == ".0") {
    p += 2;
    return 0;
  }
  static constexpr std::string_view kOctets[] = {".128", ".192", ".224", ".240",
                                                 ".248", ".252", ".254", ".255"};
  for (int k = 0; k < 8; ++k) {
    if (text == kOctets[k]) {
      p += 4;
      return k + 1;
    }
  }
  return -1;
}

// Mask length of a dotted mask after the space at `space`; -1 when invalid.
int ReadDottedMask(std::string_view s, size_t space) {
  std::string first = ".";
  first += At(s, space + 1);
  first += At(s, space + 2);
  first += At(s, space + 3);
  size_t p = space;
  int total = DottedOctetBits(first, p);
  if (total < 0) return -1;
  for (int k = 1; k < 4; ++k) {
    std::string text;
    for (size_t j = 0; j < 4; ++j) {
      if (p + j < s.size()) text += s[p + j];
    }
    const int bits = DottedOctetBits(text, p);
    if (bits < 0) return -1;
    total += bits;
  }
  return At(s, p) == ' ' ? total : -1;
}

// Mask length given on the line after the destination terminator, or -1.
int ReadMask(std::string_view s, size_t p, char terminator) {
  if (terminator == '/') {
    if (!IsDigit(At(s, p))) return -1;
    int len = s[p] - '0';
    size_t q = p + 1;
    if (IsDigit(At(s, q))) {
      len = len * 10 + (s[q] - '0');
      ++q;
    }
    return At(s, q) == ' ' ? len : -1;
  }
  if (terminator != ' ') return -1;
  const std::string_view next = s.substr(p < s.size() ? p : s.size(), 2);
  if (next == "0x") return ReadHexMask(s, p);
  if (next == "25" || next == "24" || next == "22" || next == "19" || next == "12" ||
      next == "0.") {
    return ReadDottedMask(s, p - 1);
  }
  return -1;
}

// Where the first " via " stands, or npos; also npos, with `connected`
// set, when "subnetted," or " is directly connected," stands anywhere.
// One pass over the line: this runs for every line of every log.
size_t FindVia(std::string_view s, bool& connected) {
  static constexpr std::string_view kVia = " via ", kConnected = " is directly connected,",
                                    kSubnetted = "subnetted,";
  connected = false;
  size_t via = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (s[i] == ' ') {
      const std::string_view rest = s.substr(i);
      if (via == std::string_view::npos && rest.starts_with(kVia)) {
        via = i;
      } else if (rest.starts_with(kConnected)) {
        connected = true;
        return std::string_view::npos;
      }
    } else if (s[i] == 's' && s.substr(i).starts_with(kSubnetted)) {
      connected = true;
      return std::string_view::npos;
    }
  }
  return via;
}

void ReadNextHop(std::string_view s, RouteFields& f) {
  bool connected = false;
  const size_t via = FindVia(s, connected);
  if (connected) {
    f.HopHigh = 0;
    f.HopLow = 0;
    return;
  }
  f.HopHigh = kNoAddress;
  f.HopLow = kNoAddress;
  if (via == std::string_view::npos) return;
  size_t p = via + 5;
  int octet[4];
  // The " *" that marks a completed extra path counts as the end of the
  // line, so such a path keeps its own next hop when it ends in it.
  auto commaOrEnd = [&](size_t q) {
    return q >= s.size() || s[q] == ',' || s.substr(q) == " *";
  };
  if (!ReadDottedQuad(s, p, octet, commaOrEnd)) return;
  f.HopHigh = octet[0] * 256 + octet[1];
  f.HopLow = octet[2] * 256 + octet[3];
}

}  // namespace

int32_t PackProtoCode(std::string_view line) {
  int32_t code = 0;
  for (size_t i = 0; i < 4; ++i) code = code * 128 + (static_cast<unsigned char>(At(line, i)) & 0x7F);
  return code;
}

bool IsRouteStartLine(std::string_view line) {
  const char c1 = At(line, 0), c2 = At(line, 1);
  return line.size() >= 5 && c1 != ' ' && c1 != '*' && (c2 == ' ' || c2 == '*') && line[4] == ' ';
}

RouteFields IosRouteLineStream::NonRoute() const {
  RouteFields f;
  f.MaskCode = maskInForce_ - 1;
  f.Part = seenDestination_ ? TablePart::AfterRoute : TablePart::BeforeFirstRoute;
  return f;
}

// A route start line, or a line indented by two or more spaces (a subnet
// header, say), has a destination when a dotted quad follows the code column and
// its marks; a mask given with it becomes the mask in force.
RouteFields IosRouteLineStream::Parse(std::string_view s) {
  RouteFields f;
  size_t p;
  if (IsRouteStartLine(s)) {
    f.ProtoCode = PackProtoCode(s);
    p = 4;
  } else if (At(s, 0) == ' ' && At(s, 1) == ' ') {
    p = 0;
  } else {
    return NonRoute();
  }
  while (At(s, p) == ' ' || At(s, p) == '*') ++p;
  if (p >= s.size()) return NonRoute();
  if (s.size() >= 21 && s.substr(0, 20).find_first_not_of(' ') == std::string_view::npos &&
      IsDigit(s[20])) {
    return NonRoute();
  }
  int octet[4];
  char terminator = '\0';
  auto destinationEnd = [&](size_t q) {
    if (q >= s.size()) return sortResult_;
    if (s[q] != '/' && s[q] != ' ') return false;
    terminator = s[q];
    return true;
  };
  if (!ReadDottedQuad(s, p, octet, destinationEnd)) return NonRoute();
  if (terminator != '\0') ++p;
  f.DestHigh = octet[0] * 256 + octet[1];
  f.DestLow = octet[2] * 256 + octet[3];
  f.Part = TablePart::Destination;
  seenDestination_ = true;

  const int mask = ReadMask(s, p, terminator);
  if (mask >= 0 && mask <= 32) maskInForce_ = mask;
  f.MaskCode = maskInForce_ == 0 ? 0 : maskInForce_ - 1;
  if (!sortResult_) ReadNextHop(s, f);
  return f;
}

bool EndsAfterDestination(std::string_view s) {
  if (!IsRouteStartLine(s)) return false;
  size_t p = 4;
  while (At(s, p) == ' ' || At(s, p) == '*') ++p;
  int octet[4];
  auto any = [](size_t) { return true; };
  if (!ReadDottedQuad(s, p, octet, any)) return false;
  const std::string_view rest = s.substr(p);
  if (rest.empty()) return true;
  auto allOf = [](std::string_view t, auto pred) {
    for (char c : t)
      if (!pred(c)) return false;
    return !t.empty();
  };
  if (rest[0] == '/') return rest.size() <= 3 && allOf(rest.substr(1), IsDigit);
  if (rest.substr(0, 3) == " 0x") {
    auto hex = [](char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); };
    return rest.size() == 11 && allOf(rest.substr(3), hex);
  }
  if (rest[0] != ' ') return false;
  size_t q = 1;
  auto end = [&](size_t r) { return r == rest.size(); };
  return ReadDottedQuad(rest, q, octet, end);
}

}  // namespace tess
