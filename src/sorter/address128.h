// Addresses as 128-bit numbers: IPv6 addresses as they are, IPv4 addresses
// mapped into ::ffff:0:0/96, so that both order as numbers in one key.
#pragma once

#include <compare>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace tess {

struct Address128 {
  uint64_t High = 0;
  uint64_t Low = 0;

  /// Beyond every address: what a line without a readable address carries.
  static constexpr Address128 None() { return {~uint64_t{0}, ~uint64_t{0}}; }
  /// An IPv4 address as ::ffff:a.b.c.d.
  static constexpr Address128 FromIpv4(uint32_t v4) { return {0, 0xFFFF00000000ull | v4}; }

  auto operator<=>(const Address128&) const = default;
};

/// Reads an address at the start of `text`: a dotted quad, or IPv6 text
/// (hexadecimal in either case, "::" once, a dotted quad as the last 32
/// bits). Returns the number of characters read, 0 when `text` does not
/// start with an address. What follows the address is not looked at.
size_t ReadAddress(std::string_view text, Address128& address);

/// `line` with every IPv6 address written in one canonical way (lower case,
/// the longest run of zero groups as "::"), so that FE80::1 and fe80::0:1
/// read the same; everything else as it is.
std::string WithCanonicalAddresses(std::string_view line);

}  // namespace tess
