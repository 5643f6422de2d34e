#include "sorter/nxos_route_line.h"


namespace tess {

namespace {

BlockLine ReadHead(std::string_view line, bool sortResult) {
  BlockLine fields;
  const size_t address = ReadAddress(line, fields.Destination);
  if (address == 0) return {};
  const bool ipv4 = fields.Destination.High == 0 && (fields.Destination.Low >> 32) == 0xFFFF &&
                    line.substr(0, address).find(':') == std::string_view::npos;
  const size_t mask = ReadMaskLength(line.substr(address), ipv4 ? 32 : 128, fields.MaskLength);
  const std::string_view rest = line.substr(address + mask);
  const bool ends = rest.empty() || rest[0] == ',';
  if (!ends || (!sortResult && (mask == 0 || rest.empty()))) return {};
  fields.Role = LineRole::Head;
  return fields;
}

// The protocol of a path: the field two after its "[AD/METRIC]" field (the
// age stands between them).
uint64_t PathProtocol(std::string_view line) {
  const size_t bracket = line.find(", [");
  if (bracket == std::string_view::npos) return 0;
  size_t field = line.find(", ", bracket + 2);
  if (field == std::string_view::npos) return 0;
  field = line.find(", ", field + 2);
  if (field == std::string_view::npos) return 0;
  const std::string_view protocol = line.substr(field + 2);
  return PackProtocol(protocol.substr(0, protocol.find(',')));
}

}  // namespace

BlockLine ReadNxosLine(std::string_view line, bool sortResult) {
  if (line.empty()) return {};
  if (line[0] != ' ') return ReadHead(line, sortResult);
  size_t p = line.find_first_not_of(' ');
  if (p == std::string_view::npos) return {};
  while (p < line.size() && line[p] == '*') ++p;
  if (line.substr(p, 4) != "via ") return {};
  BlockLine fields;
  fields.Role = LineRole::Path;
  fields.NextHop = ReadNextHop(line.substr(p + 4));
  fields.Protocol = PathProtocol(line);
  return fields;
}

}  // namespace tess
