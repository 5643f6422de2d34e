// Inputs shared by the unit benchmarks: route lines and sort keys shaped
// like a full table's.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace tess::bench {

/// `count` route lines of a BGP full table, destinations in random order.
inline std::vector<std::string> RouteLines(size_t count, unsigned seed = 1) {
  std::mt19937 rng(seed);
  std::vector<std::string> lines;
  lines.reserve(count);
  for (size_t i = 0; i < count; ++i) {
    const uint32_t a = rng();
    const auto octet = [&](int shift) { return std::to_string((a >> shift) & 255); };
    lines.push_back("B    " + octet(24) + "." + octet(16) + "." + octet(8) + ".0/" +
                    std::to_string(8 + rng() % 17) + " [20/0] via 192.0.2." + std::to_string(1 + rng() % 250) +
                    ", " + std::to_string(rng() % 52) + "w" + std::to_string(rng() % 7) + "d");
  }
  return lines;
}

}  // namespace tess::bench
