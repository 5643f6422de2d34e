// Writes a synthetic "show ip route" log of N routes in the shape of a full
// Internet table seen over BGP (shuffled prefixes, some multipath routes,
// classful subnet headers, a VRF), for the benchmarks.
//
// Usage: tessaline_generate_log ROUTES SEED [ordered] > file.log
// With "ordered" the routes stand in destination order, as a router prints
// them; otherwise they are shuffled (the worst case for reading back).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Address(uint32_t a) {
  return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." +
         std::to_string((a >> 8) & 255) + "." + std::to_string(a & 255);
}

std::string Age(std::mt19937& rng) {
  const unsigned w = rng() % 52, d = rng() % 7;
  return std::to_string(w) + "w" + std::to_string(d) + "d";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s ROUTES SEED\n", argv[0]);
    return 2;
  }
  const long routes = std::atol(argv[1]);
  std::mt19937 rng(static_cast<unsigned>(std::atol(argv[2])));
  std::vector<uint32_t> prefixes;
  prefixes.reserve(static_cast<size_t>(routes));
  for (long i = 0; i < routes; ++i) {
    const uint32_t len = 8 + rng() % 17;  // /8 to /24
    const uint32_t mask = 0xFFFFFFFFu << (32 - len);
    prefixes.push_back(((rng() & mask) & 0xFFFFFF00u) | len);
  }
  if (argc > 3 && std::string(argv[3]) == "ordered") std::sort(prefixes.begin(), prefixes.end());
  std::puts("router#show ip route");
  std::puts("Codes: L - local, C - connected, S - static, R - RIP, M - mobile, B - BGP");
  std::puts("       * - candidate default, U - per-user static route, o - ODR");
  std::puts("");
  std::puts("Gateway of last resort is 192.0.2.1 to network 0.0.0.0");
  std::puts("");
  std::puts("B*    0.0.0.0/0 [20/0] via 192.0.2.1, 5w1d");
  for (uint32_t p : prefixes) {
    const uint32_t len = p & 0xFF;
    const std::string dest = Address(p & 0xFFFFFF00u) + "/" + std::to_string(len);
    const std::string hop1 = Address(0xC0000200u | (1 + rng() % 200));
    std::printf("B        %s [20/0] via %s, %s\n", dest.c_str(), hop1.c_str(), Age(rng).c_str());
    if (rng() % 8 == 0) {
      const std::string hop2 = Address(0xC0000200u | (1 + rng() % 200));
      std::printf("%*s[20/0] via %s, %s\n", static_cast<int>(10 + dest.size()), "", hop2.c_str(),
                  Age(rng).c_str());
    }
  }
  std::puts("router#show ip route vrf MGMT");
  std::puts("");
  std::puts("Routing Table: MGMT");
  std::puts("Gateway of last resort is not set");
  std::puts("");
  std::puts("      10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks");
  std::puts("C        10.0.0.0/24 is directly connected, GigabitEthernet0/0");
  std::puts("L        10.0.0.1/32 is directly connected, GigabitEthernet0/0");
  std::puts("router#");
  return 0;
}
