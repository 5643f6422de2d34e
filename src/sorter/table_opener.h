// The lines that open or name a routing table beyond IOS IPv4's "Routing
// Table: NAME" and "Gateway of last resort": NX-OS table headers, IOS
// "show ipv6 route" headers and IOS-XR "VRF: NAME" lines, with the names
// their tables take.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "sorter/table_dialect.h"

namespace tess {

struct TableOpening {
  TableDialect Dialect = TableDialect::IosIpv4;
  std::string Name;  // as the section is named: "!!default", "NAME", "NAME (IPv6)"
};

/// The table that `line` opens by itself: `IP Route Table for VRF "NAME"`,
/// `IPv6 Routing Table for VRF "NAME"` (NX-OS) or
/// "IPv6 Routing Table - NAME - N entries" (IOS, possibly indented).
std::optional<TableOpening> TableOpenedBy(std::string_view line);

/// The name an IOS-XR "VRF: NAME" line gives the next table.
std::optional<std::string> XrVrfNameOf(std::string_view line);

/// Whether `line` belongs to IOS-XR's legend of route codes ("(!) - FRR
/// Backup path" and two more codes IOS lacks).
bool IsXrLegendLine(std::string_view line);

/// The section name of IPv4 table `vrf`: the global table's for "default".
std::string Ipv4TableName(std::string_view vrf);

/// The section name of IPv6 table `vrf`: "(Default Instance) (IPv6)" for
/// "default" (or for `kGlobalTableName`), otherwise "VRF (IPv6)".
std::string Ipv6TableName(std::string_view vrf);

}  // namespace tess
