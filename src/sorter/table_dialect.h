// The route-table dialects a log may hold, one per table: the line that
// opens a table decides it.
#pragma once

#include <cstdint>

namespace tess {

enum class TableDialect : uint8_t {
  IosIpv4,  // IOS/IOS-XE "show ip route"
  IosIpv6,  // IOS/IOS-XE "show ipv6 route"
  Nxos,     // NX-OS "show ip route" and "show ipv6 route"
  Xr,       // IOS-XR "show route [ipv4|ipv6]"
};

/// Whether a table of `dialect` is read as route blocks (a head line with
/// its path lines under it) rather than as IOS route lines.
constexpr bool ReadsRouteBlocks(TableDialect dialect) { return dialect != TableDialect::IosIpv4; }

}  // namespace tess
