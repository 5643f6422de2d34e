// Writes a synthetic route-table log of N routes in the shape of a full
// Internet table seen over BGP (shuffled prefixes, some multipath routes,
// a VRF), for the benchmarks.
//
// Usage: tessaline_generate_log ROUTES SEED [ordered] [FORMAT] > file.log
// With "ordered" the routes stand in destination order, as a router prints
// them; otherwise they are shuffled (the worst case for reading back).
// FORMAT is the dialect the routes are written in:
//   ios    IOS "show ip route" (the default)
//   ios6   IOS "show ipv6 route"
//   nxos   NX-OS "show ip route"
//   nxos6  NX-OS "show ipv6 route"
// Every format holds the same routes for the same ROUTES and SEED: the same
// prefixes, paths and ages (IOS IPv6 prints no ages). An IPv4 address fills
// the third and fourth group of a prefix, the last two of a next hop:
// 10.1.17.0/24 becomes 2001:db8:a01:1100::/56, the next hop 192.0.2.7
// becomes 2001:db8:ffff::c000:207; so the IPv6 routes order as their IPv4
// originals.
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace {

struct Path {
  uint32_t Hop;
  unsigned Weeks, Days;
};

struct Route {
  uint32_t Prefix;
  uint32_t Length;
  std::array<Path, 2> Paths;
  int PathCount;
};

constexpr uint32_t kHopNetwork = 0xC0000200u;  // 192.0.2.0/24
const Route kDefaultRoute{0, 0, {{{kHopNetwork | 1, 5, 1}}}, 1};

std::string Address(uint32_t a) {
  return std::to_string(a >> 24) + "." + std::to_string((a >> 16) & 255) + "." +
         std::to_string((a >> 8) & 255) + "." + std::to_string(a & 255);
}

std::string Age(const Path& path) { return std::to_string(path.Weeks) + "w" + std::to_string(path.Days) + "d"; }

Path DrawPath(std::mt19937& rng) {
  Path path{kHopNetwork | static_cast<uint32_t>(1 + rng() % 200), 0, 0};
  path.Weeks = static_cast<unsigned>(rng() % 52);
  path.Days = static_cast<unsigned>(rng() % 7);
  return path;
}

/// The paths of one route, drawn in the order every format shares, so that
/// the formats hold the same routes.
Route DrawRoute(uint32_t prefix_and_length, std::mt19937& rng) {
  Route route{prefix_and_length & 0xFFFFFF00u, prefix_and_length & 0xFF, {}, 1};
  route.Paths[0] = DrawPath(rng);
  if (rng() % 8 == 0) route.Paths[route.PathCount++] = DrawPath(rng);
  return route;
}

/// The eight groups as IPv6 text: leading zeros dropped, the first longest
/// run of two or more zero groups written "::".
std::string Ipv6Text(const std::array<uint16_t, 8>& groups, bool upper_case) {
  int run_start = -1, run_length = 1;
  for (int i = 0; i < 8;) {
    int j = i;
    while (j < 8 && groups[j] == 0) ++j;
    if (j - i > run_length) {
      run_start = i;
      run_length = j - i;
    }
    i = j == i ? i + 1 : j;
  }
  std::string text;
  char group[8];
  for (int i = 0; i < 8; ++i) {
    if (i == run_start) {
      text += "::";
      i += run_length - 1;
      continue;
    }
    if (!text.empty() && text.back() != ':') text += ':';
    std::snprintf(group, sizeof group, upper_case ? "%X" : "%x", groups[i]);
    text += group;
  }
  return text;
}

std::string Ipv6Prefix(uint32_t a, bool upper_case) {
  return Ipv6Text({0x2001, 0xDB8, static_cast<uint16_t>(a >> 16), static_cast<uint16_t>(a), 0, 0, 0, 0}, upper_case);
}

std::string Ipv6Hop(uint32_t a, bool upper_case) {
  return Ipv6Text({0x2001, 0xDB8, 0xFFFF, 0, 0, 0, static_cast<uint16_t>(a >> 16), static_cast<uint16_t>(a)},
                  upper_case);
}

// IOS "show ip route": the routes under the default, then a small VRF.
void IosHeader(long) {
  std::puts("router#show ip route");
  std::puts("Codes: L - local, C - connected, S - static, R - RIP, M - mobile, B - BGP");
  std::puts("       * - candidate default, U - per-user static route, o - ODR");
  std::puts("");
  std::puts("Gateway of last resort is 192.0.2.1 to network 0.0.0.0");
  std::puts("");
  std::puts("B*    0.0.0.0/0 [20/0] via 192.0.2.1, 5w1d");
}

void IosRoute(const Route& route) {
  const std::string dest = Address(route.Prefix) + "/" + std::to_string(route.Length);
  std::printf("B        %s [20/0] via %s, %s\n", dest.c_str(), Address(route.Paths[0].Hop).c_str(),
              Age(route.Paths[0]).c_str());
  for (int i = 1; i < route.PathCount; ++i) {
    std::printf("%*s[20/0] via %s, %s\n", static_cast<int>(10 + dest.size()), "", Address(route.Paths[i].Hop).c_str(),
                Age(route.Paths[i]).c_str());
  }
}

void IosTrailer() {
  std::puts("router#show ip route vrf MGMT");
  std::puts("");
  std::puts("Routing Table: MGMT");
  std::puts("Gateway of last resort is not set");
  std::puts("");
  std::puts("      10.0.0.0/8 is variably subnetted, 2 subnets, 2 masks");
  std::puts("C        10.0.0.0/24 is directly connected, GigabitEthernet0/0");
  std::puts("L        10.0.0.1/32 is directly connected, GigabitEthernet0/0");
  std::puts("router#");
}

// IOS "show ipv6 route": upper-case addresses as IOS prints them, no ages.
void Ios6Table(std::string_view vrf, long entries) {
  std::printf("IPv6 Routing Table - %.*s - %ld entries\n", static_cast<int>(vrf.size()), vrf.data(), entries);
  std::puts("Codes: C - Connected, L - Local, S - Static, U - Per-user Static route");
  std::puts("       B - BGP, R - RIP, H - NHRP, I1 - ISIS L1, I2 - ISIS L2, O - OSPF Intra");
  std::puts("");
}

void Ios6Route(const Route& route) {
  std::printf("B   %s/%u [20/0]\n", Ipv6Prefix(route.Prefix, true).c_str(), route.Length + 32);
  for (int i = 0; i < route.PathCount; ++i) std::printf("     via %s\n", Ipv6Hop(route.Paths[i].Hop, true).c_str());
}

void Ios6Header(long routes) {
  std::puts("router#show ipv6 route");
  Ios6Table("default", routes + 1);
  Ios6Route(kDefaultRoute);
}

void Ios6Trailer() {
  std::puts("router#show ipv6 route vrf MGMT");
  Ios6Table("MGMT", 2);
  std::printf("C   %s/56 [0/0]\n     via GigabitEthernet0/0, directly connected\n",
              Ipv6Prefix(0x0A000000u, true).c_str());
  std::printf("L   %s/64 [0/0]\n     via GigabitEthernet0/0, receive\n", Ipv6Prefix(0x0A000001u, true).c_str());
  std::puts("router#");
}

// NX-OS "show ip route" and "show ipv6 route": a route line with its path
// count, then one "*via" line per path; lower-case addresses as NX-OS prints
// them.
void NxosTable(bool ipv6, std::string_view vrf) {
  std::printf("%s for VRF \"%.*s\"\n", ipv6 ? "IPv6 Routing Table" : "IP Route Table", static_cast<int>(vrf.size()),
              vrf.data());
  std::puts("'*' denotes best ucast next-hop");
  std::puts("'**' denotes best mcast next-hop");
  std::puts("'[x/y]' denotes [preference/metric]");
  if (!ipv6) std::puts("'%<string>' in via output denotes VRF <string>");
  std::puts("");
}

void NxosRouteIn(bool ipv6, const Route& route) {
  const std::string dest = ipv6 ? Ipv6Prefix(route.Prefix, false) : Address(route.Prefix);
  std::printf("%s/%u, ubest/mbest: %d/0\n", dest.c_str(), route.Length + (ipv6 ? 32 : 0), route.PathCount);
  for (int i = 0; i < route.PathCount; ++i) {
    const Path& path = route.Paths[i];
    std::printf("    *via %s, [20/0], %s, bgp-65000, external, tag 65000\n",
                (ipv6 ? Ipv6Hop(path.Hop, false) : Address(path.Hop)).c_str(), Age(path).c_str());
  }
}

void NxosHeaderIn(bool ipv6) {
  std::puts(ipv6 ? "router# show ipv6 route" : "router# show ip route");
  NxosTable(ipv6, "default");
  NxosRouteIn(ipv6, kDefaultRoute);
}

void NxosTrailerIn(bool ipv6) {
  std::puts(ipv6 ? "router# show ipv6 route vrf MGMT" : "router# show ip route vrf MGMT");
  NxosTable(ipv6, "MGMT");
  const auto text = [ipv6](uint32_t a) { return ipv6 ? Ipv6Prefix(a, false) : Address(a); };
  const unsigned extra = ipv6 ? 32 : 0;
  const std::string own = text(0x0A000001u);
  std::printf("%s/%u, ubest/mbest: 1/0, attached\n    *via %s, Eth1/1, [0/0], 5w1d, direct\n",
              text(0x0A000000u).c_str(), 24 + extra, own.c_str());
  std::printf("%s/%u, ubest/mbest: 1/0, attached\n    *via %s, Eth1/1, [0/0], 5w1d, local\n", own.c_str(),
              32 + extra, own.c_str());
  std::puts("router#");
}

struct Format {
  std::string_view Name;
  void (*Header)(long routes);  // everything up to and including the default route
  void (*WriteRoute)(const Route& route);
  void (*Trailer)();
};

const Format kFormats[] = {
    {"ios", IosHeader, IosRoute, IosTrailer},
    {"ios6", Ios6Header, Ios6Route, Ios6Trailer},
    {"nxos", [](long) { NxosHeaderIn(false); }, [](const Route& r) { NxosRouteIn(false, r); },
     [] { NxosTrailerIn(false); }},
    {"nxos6", [](long) { NxosHeaderIn(true); }, [](const Route& r) { NxosRouteIn(true, r); },
     [] { NxosTrailerIn(true); }},
};

const Format* FindFormat(std::string_view name) {
  for (const Format& format : kFormats) {
    if (format.Name == name) return &format;
  }
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  bool ordered = false, usage = argc < 3;
  const Format* format = &kFormats[0];
  for (int i = 3; i < argc && !usage; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "ordered") {
      ordered = true;
    } else if (const Format* named = FindFormat(arg)) {
      format = named;
    } else {
      usage = true;
    }
  }
  if (usage) {
    std::fprintf(stderr, "usage: %s ROUTES SEED [ordered] [ios|ios6|nxos|nxos6]\n", argv[0]);
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
  if (ordered) std::sort(prefixes.begin(), prefixes.end());
  format->Header(routes);
  for (uint32_t p : prefixes) format->WriteRoute(DrawRoute(p, rng));
  format->Trailer();
  return 0;
}
