#include "app/settings_file.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace tess {

namespace {

constexpr size_t kMaxValueBytes = 254;

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

// One line of the file, as stored (its CR kept when the file uses CR LF).
struct IniFile {
  std::vector<std::string> lines;
  std::string lineEnd = "\n";
};

IniFile Load(const std::string& fileName) {
  IniFile ini;
  std::ifstream in(fileName, std::ios::binary);
  std::string line;
  bool first = true;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
      if (first) ini.lineEnd = "\r\n";
    }
    first = false;
    ini.lines.push_back(line);
  }
  return ini;
}

// Section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// Key of a "key=value" line, or nullopt.
std::optional<std::string> KeyOf(const std::string& line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string key = Trim(line.substr(0, eq));
  if (key.empty() || key[0] == ';') return std::nullopt;
  return key;
}

// Index range [begin, end) of the body of `section`, or nullopt.
struct Range {
  size_t header, begin, end;
};
std::optional<Range> FindSection(const IniFile& ini, const std::string& section) {
  for (size_t i = 0; i < ini.lines.size(); ++i) {
    const auto name = SectionOf(ini.lines[i]);
    if (!name || !EqualNoCase(*name, section)) continue;
    size_t end = i + 1;
    while (end < ini.lines.size() && !SectionOf(ini.lines[end])) ++end;
    return Range{i, i + 1, end};
  }
  return std::nullopt;
}

std::string Unquote(const std::string& v) {
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    return v.substr(1, v.size() - 2);
  }
  return v;
}

bool Save(const std::string& fileName, const IniFile& ini) {
  const std::string temp = fileName + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    for (const std::string& line : ini.lines) out << line << ini.lineEnd;
    out.flush();
    if (!out) {
      std::remove(temp.c_str());
      return false;
    }
  }
  if (std::rename(temp.c_str(), fileName.c_str()) != 0) {
    std::remove(temp.c_str());
    return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> ReadSettingIfPresent(const std::string& fileName,
                                                const std::string& section,
                                                const std::string& key) {
  const IniFile ini = Load(fileName);
  const auto range = FindSection(ini, section);
  if (!range) return std::nullopt;
  for (size_t i = range->begin; i < range->end; ++i) {
    const auto k = KeyOf(ini.lines[i]);
    if (!k || !EqualNoCase(*k, key)) continue;
    const std::string& line = ini.lines[i];
    std::string value = CutAtNull(Unquote(Trim(line.substr(line.find('=') + 1))));
    if (value.size() > kMaxValueBytes) value.resize(kMaxValueBytes);
    return value;
  }
  return std::nullopt;
}

std::string ReadSetting(const std::string& fileName, const std::string& section,
                        const std::string& key) {
  return ReadSettingIfPresent(fileName, section, key).value_or("");
}

void WriteSetting(const std::string& fileName, const std::string& section, const std::string& key,
                  const std::string& value) {
  IniFile ini = Load(fileName);
  const std::string entry = key + "=" + value;
  auto range = FindSection(ini, section);
  if (!range) {
    ini.lines.push_back("[" + section + "]");
    ini.lines.push_back(entry);
    Save(fileName, ini);
    return;
  }
  size_t insertAt = range->begin;
  for (size_t i = range->begin; i < range->end; ++i) {
    const auto k = KeyOf(ini.lines[i]);
    if (k && EqualNoCase(*k, key)) {
      ini.lines[i] = entry;
      Save(fileName, ini);
      return;
    }
    if (!Trim(ini.lines[i]).empty()) insertAt = i + 1;
  }
  ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), entry);
  Save(fileName, ini);
}

std::string CutAtNull(const std::string& text) {
  const size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

}  // namespace tess
