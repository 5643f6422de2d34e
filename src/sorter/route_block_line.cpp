#include "sorter/route_block_line.h"

#include <cctype>

namespace tess {

uint64_t PackProtocol(std::string_view text) {
  uint64_t packed = 0;
  for (size_t k = 0; k < 8; ++k) packed = packed << 8 | (k < text.size() ? static_cast<unsigned char>(text[k]) : 0u);
  return packed;
}

Address128 ReadNextHop(std::string_view rest) {
  Address128 hop;
  const size_t length = ReadAddress(rest, hop);
  if (length > 0 && (length == rest.size() || rest[length] == ',' || rest[length] == '%' || rest[length] == ' ')) {
    return hop;
  }
  if (!rest.empty() && std::isalpha(static_cast<unsigned char>(rest[0]))) return Address128{};
  return Address128::None();
}

size_t ReadMaskLength(std::string_view rest, int maxLength, int& length) {
  auto digit = [&](size_t p) { return p < rest.size() && rest[p] >= '0' && rest[p] <= '9'; };
  if (rest.empty() || rest[0] != '/' || !digit(1)) return 0;
  size_t p = 1;
  int value = 0;
  while (digit(p) && p < 4) value = value * 10 + (rest[p++] - '0');
  if (value > maxLength || digit(p)) return 0;
  length = value;
  return p;
}

bool IsBlankLine(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

}  // namespace tess
