#include "sorter/section_file_name.h"

namespace tess {

namespace {
constexpr size_t kMaxFileNameBytes = 200;

std::string SafeTableName(const std::string& name) {
  std::string safe = name;
  for (char& c : safe) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (c == '/' || c == '\\' || u < 0x20 || u == 0x7F) c = '_';
  }
  return safe;
}
}  // namespace

std::string SectionFileName(const std::string& tempBaseName, const std::string& tableName,
                            int64_t section) {
  const size_t slash = tempBaseName.find_last_of('/');
  const size_t baseComponent =
      slash == std::string::npos ? tempBaseName.size() : tempBaseName.size() - slash - 1;
  const std::string suffix = "_" + std::to_string(section);
  std::string name = SafeTableName(tableName);
  const size_t used = baseComponent + suffix.size();
  const size_t room = used >= kMaxFileNameBytes ? 0 : kMaxFileNameBytes - used;
  if (name.size() > room) name.resize(room);
  return tempBaseName + name + suffix;
}

}  // namespace tess
