#include "sorter/table_opener.h"

#include "sorter/log_format.h"

namespace tess {

namespace {

constexpr std::string_view kNxosIpv4Header = "IP Route Table for VRF \"";
constexpr std::string_view kNxosIpv6Header = "IPv6 Routing Table for VRF \"";
constexpr std::string_view kIosIpv6Header = "IPv6 Routing Table - ";

// The text between `prefix` and the closing quote, when `line` starts with
// `prefix` and ends in that quote.
std::optional<std::string_view> QuotedName(std::string_view line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return std::nullopt;
  const std::string_view rest = line.substr(prefix.size());
  const size_t quote = rest.rfind('"');
  if (quote == std::string_view::npos || rest.find_first_not_of(' ', quote + 1) != std::string_view::npos) {
    return std::nullopt;
  }
  return rest.substr(0, quote);
}

// NAME of "IPv6 Routing Table - NAME - N entries" (the count may be
// missing: "IPv6 Routing Table - NAME").
std::optional<std::string_view> IosIpv6TableName(std::string_view line) {
  const size_t indent = line.find_first_not_of(' ');
  if (indent == std::string_view::npos || !line.substr(indent).starts_with(kIosIpv6Header)) return std::nullopt;
  std::string_view rest = line.substr(indent + kIosIpv6Header.size());
  const size_t dash = rest.find(" - ");
  std::string_view name = rest.substr(0, dash);
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  if (name.empty()) return std::nullopt;
  return name;
}

}  // namespace

// Codes only IOS-XR's legend names. (IOS can print the same time stamp
// line before its output, so that tells nothing.)
bool IsXrLegendLine(std::string_view line) {
  for (const std::string_view code : {"(>) - Diversion path", "(!) - FRR Backup path", "G  - DAGR"}) {
    if (line.find(code) != std::string_view::npos) return true;
  }
  return false;
}

std::string Ipv4TableName(std::string_view vrf) {
  return std::string(vrf == kDefaultVrfName ? kGlobalTableName : vrf);
}

std::string Ipv6TableName(std::string_view vrf) {
  const bool global = vrf == kDefaultVrfName || vrf == kGlobalTableName;
  return std::string(global ? kDefaultInstanceName : vrf) + std::string(kIpv6NameSuffix);
}

std::optional<TableOpening> TableOpenedBy(std::string_view line) {
  if (const auto name = QuotedName(line, kNxosIpv4Header)) return TableOpening{TableDialect::Nxos, Ipv4TableName(*name)};
  if (const auto name = QuotedName(line, kNxosIpv6Header)) return TableOpening{TableDialect::Nxos, Ipv6TableName(*name)};
  if (const auto name = IosIpv6TableName(line)) return TableOpening{TableDialect::IosIpv6, Ipv6TableName(*name)};
  return std::nullopt;
}

std::optional<std::string> XrVrfNameOf(std::string_view line) {
  if (!line.starts_with(kXrVrfPrefix)) return std::nullopt;
  std::string_view name = line.substr(kXrVrfPrefix.size());
  while (!name.empty() && name.back() == ' ') name.remove_suffix(1);
  if (name.empty() || name.find(' ') != std::string_view::npos) return std::nullopt;
  return Ipv4TableName(name);
}

}  // namespace tess
