#include "compare/line_match.h"

#include "sorter/address128.h"

namespace tess {

namespace {

// Column of the first "/" that stands before the first "[" (0 when none).
size_t MaskSlashColumn(const std::string& s) {
  const size_t slash = s.find('/');
  if (slash == std::string::npos) return 0;
  const size_t bracket = s.find('[');
  if (bracket != std::string::npos && slash > bracket) return 0;
  return slash + 1;
}

// `s` with "/" and the mask length inserted before column `column`; false
// when `s` is too short for that.
bool InsertMask(const std::string& s, size_t column, int maskCode, std::string& out) {
  if (s.size() < column - 1) return false;
  out = s.substr(0, column - 1) + "/" + std::to_string(maskCode + 1) + s.substr(column - 1);
  return true;
}

bool MaskWrittenOnOneSide(const std::string& a, const std::string& b, int maskCode1,
                          int maskCode2) {
  const size_t sa = MaskSlashColumn(a), sb = MaskSlashColumn(b);
  std::string widened;
  if (sa > 0 && sb == 0) return InsertMask(b, sa, maskCode2, widened) && a == widened;
  if (sa == 0 && sb > 0) return InsertMask(a, sb, maskCode1, widened) && widened == b;
  return false;
}

bool SpaceAfterRouteCode(const std::string& s) {
  return (s.size() >= 5 && s[4] == ' ') || (s.size() >= 6 && s[5] == ' ');
}

std::string WithSpaceAfterColumn4(const std::string& s) {
  return s.substr(0, 4) + " " + (s.size() > 4 ? s.substr(4) : std::string());
}

bool OneMoreSpaceAfterRouteCode(const std::string& a, const std::string& b) {
  if (a.size() + 1 == b.size() && SpaceAfterRouteCode(b)) return WithSpaceAfterColumn4(a) == b;
  if (b.size() + 1 == a.size() && SpaceAfterRouteCode(a)) return a == WithSpaceAfterColumn4(b);
  return false;
}

}  // namespace

bool LinesMatch(const std::string& a, const std::string& b, int maskCode1, int maskCode2) {
  return a == b || MaskWrittenOnOneSide(a, b, maskCode1, maskCode2) ||
         OneMoreSpaceAfterRouteCode(a, b);
}

bool LinesMatchAsNumbers(const std::string& a, const std::string& b) {
  return a == b || WithCanonicalAddresses(a) == WithCanonicalAddresses(b);
}

bool BlocksMatch(const std::vector<std::string>& a, const std::vector<std::string>& b,
                 int maskCode1, int maskCode2) {
  if (a.size() != b.size()) return false;
  for (size_t t = 0; t < a.size(); ++t) {
    if (!LinesMatch(a[t], b[t], maskCode1, maskCode2)) return false;
  }
  return true;
}

}  // namespace tess
