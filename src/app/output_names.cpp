#include "app/output_names.h"

namespace tess {

std::string BaseName(const std::string& path, char separator) {
  const size_t slash = path.rfind(separator);
  const size_t componentStart = slash == std::string::npos ? 0 : slash + 1;
  const size_t dot = path.rfind('.');
  if (dot == std::string::npos || dot < componentStart) return path;
  return path.substr(0, dot);
}

std::string NormalizeExtension(const std::string& text) {
  return text.find('.') == std::string::npos ? "." + text : text;
}

}  // namespace tess
