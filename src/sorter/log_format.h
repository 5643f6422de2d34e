// Facts of the "show ip route" log format that the splitter, the writer, the
// parser and the comparison share.
#pragma once

#include <cstddef>
#include <string_view>

namespace tess {

/// A line that opens a routing table (the global table or a VRF's).
constexpr std::string_view kGatewayLinePrefix = "Gateway of last resort ";
/// A line that names the VRF of the next table.
constexpr std::string_view kRoutingTablePrefix = "Routing Table: ";
/// A line that names the VRF of the next table in IOS-XR output.
constexpr std::string_view kXrVrfPrefix = "VRF: ";
/// What the name of an IPv6 table ends in, so that it pairs only with IPv6
/// tables; the global IPv6 table is "(Default Instance) (IPv6)".
constexpr std::string_view kIpv6NameSuffix = " (IPv6)";
/// How a comparison names the global table.
constexpr std::string_view kDefaultInstanceName = "(Default Instance)";
/// How NX-OS and IOS-XR name the global table's VRF.
constexpr std::string_view kDefaultVrfName = "default";
/// Name of the text before the first table.
constexpr std::string_view kPreambleTableName = "!!begin";
/// Name of a table that no "Routing Table: " line named: the global table.
constexpr std::string_view kGlobalTableName = "!!default";
/// What the splitter appends to an extra path it completed into a full line.
constexpr std::string_view kExtraPathMark = " *";

/// Column (1-based) of the first "[" in `line`, 0 when none: where the
/// distance and metric of a path begin. Paths of one route line up on it.
inline size_t BracketColumn(std::string_view line) {
  const size_t at = line.find('[');
  return at == std::string_view::npos ? 0 : at + 1;
}

/// Whether two bracket columns are within two columns of each other, as an
/// extra path printed under its route's "[" is.
inline bool BracketsLineUp(size_t a, size_t b) { return (a > b ? a - b : b - a) <= 2; }

}  // namespace tess
