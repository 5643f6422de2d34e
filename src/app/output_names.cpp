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

std::string OutputBase(const std::string& logPath, const std::string& outputDir) {
  const std::string base = BaseName(logPath);
  if (outputDir.empty()) return base;
  return JoinPath(outputDir, NameOf(base));
}

std::string TempBaseFor(const std::string& logPath, int slot, const std::string& outputDir) {
  return OutputBase(logPath, outputDir) + ".(" + std::to_string(slot) + ")";
}

LogFiles FilesOfLog(const std::string& logPath, int slot, const std::string& sortExtension,
                    const std::string& outputDir) {
  return {logPath, OutputBase(logPath, outputDir) + sortExtension,
          TempBaseFor(logPath, slot, outputDir)};
}

}  // namespace tess
