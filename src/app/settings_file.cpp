#include "app/settings_file.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "io/file_descriptor.h"
#include "io/paths.h"
#include "io/staged_file.h"
#include "io/whole_file.h"

namespace tess {

namespace {

constexpr size_t kMaxValueBytes = 254;
constexpr int kMaxLinkHops = 40;  // as the kernel's own limit (ELOOP)
constexpr const char* kWrittenLineEnd = "\r\n";

std::string Trim(const std::string& s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string::npos) return "";
  const size_t last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualNoCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

// ---- Lines ---------------------------------------------------------------

// A line's text and, separately, the bytes that ended it in the file, so
// that a line the write leaves alone goes back out exactly as it came in.
struct Line {
  std::string text;
  std::string end;  // "\n", "\r\n", "\r\r\n", "\r" (CR-only file), or "" / CRs at the end of the file
};

struct IniText {
  std::vector<Line> lines;
  bool crOnly = false;  // no LF anywhere: the file was split at each CR
};

IniText Split(const std::string& bytes) {
  IniText ini;
  if (bytes.find('\n') == std::string::npos && bytes.find('\r') != std::string::npos) {
    ini.crOnly = true;
    size_t start = 0;
    for (size_t cr = bytes.find('\r'); cr != std::string::npos; cr = bytes.find('\r', start)) {
      ini.lines.push_back({bytes.substr(start, cr - start), "\r"});
      start = cr + 1;
    }
    if (start < bytes.size()) ini.lines.push_back({bytes.substr(start), ""});
    return ini;
  }
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t lf = bytes.find('\n', start);
    const size_t stop = lf == std::string::npos ? bytes.size() : lf;
    size_t textEnd = stop;
    while (textEnd > start && bytes[textEnd - 1] == '\r') --textEnd;
    const size_t next = lf == std::string::npos ? bytes.size() : lf + 1;
    ini.lines.push_back({bytes.substr(start, textEnd - start), bytes.substr(textEnd, next - textEnd)});
    start = next;
  }
  return ini;
}

std::string Join(const IniText& ini) {
  std::string bytes;
  for (const Line& line : ini.lines) bytes += line.text + line.end;
  return bytes;
}

// Section name of a "[name]" line, or nullopt for any other line.
std::optional<std::string> SectionOf(const std::string& line) {
  const std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  const size_t close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(t.substr(1, close - 1));
}

// Key of a "key=value" line, or nullopt (comments start with ";").
std::optional<std::string> KeyOf(const std::string& line) {
  const size_t eq = line.find('=');
  if (eq == std::string::npos) return std::nullopt;
  const std::string key = Trim(line.substr(0, eq));
  if (key.empty() || key[0] == ';') return std::nullopt;
  return key;
}

// The value text of a "key=value" line, trimmed and unquoted, in full.
std::string RawValueOf(const std::string& line) {
  std::string v = Trim(line.substr(line.find('=') + 1));
  if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  return v;
}

// Header line and body range [begin, end) of the first `section`.
struct Range {
  size_t header, begin, end;
};
std::optional<Range> FindSection(const std::vector<Line>& lines, const std::string& section) {
  for (size_t i = 0; i < lines.size(); ++i) {
    const auto name = SectionOf(lines[i].text);
    if (!name || !EqualNoCase(*name, section)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionOf(lines[end].text)) ++end;
    return Range{i, i + 1, end};
  }
  return std::nullopt;
}

// Gives the line a complete line end when the file ended without one, so
// that a line can follow it.
void EndLine(Line& line) {
  if (line.end.find('\n') != std::string::npos) return;
  line.end = line.end.empty() ? kWrittenLineEnd : line.end + "\n";
}

// Puts "key=value" into `section`. False when the key already holds the
// value, and `ini` is left as it was.
bool Apply(IniText& ini, const std::string& section, const std::string& key, const std::string& value) {
  const std::string entry = key + "=" + value;
  const auto range = FindSection(ini.lines, section);
  std::optional<size_t> replace;
  size_t insertAt = ini.lines.size();
  if (range) {
    insertAt = range->begin;
    for (size_t i = range->begin; i < range->end; ++i) {
      const auto k = KeyOf(ini.lines[i].text);
      if (k && EqualNoCase(*k, key)) {
        if (RawValueOf(ini.lines[i].text) == RawValueOf(entry)) return false;
        replace = i;
        break;
      }
      if (!Trim(ini.lines[i].text).empty()) insertAt = i + 1;
    }
  }
  // Lines written now end in CR LF; the lines of a CR-only file need an LF
  // too, or the whole file would read back as one line.
  if (ini.crOnly) {
    for (Line& line : ini.lines) {
      if (line.end == "\r") line.end = kWrittenLineEnd;
    }
  }
  if (replace) {
    ini.lines[*replace] = {entry, kWrittenLineEnd};
  } else if (range) {
    EndLine(ini.lines[insertAt - 1]);
    ini.lines.insert(ini.lines.begin() + static_cast<std::ptrdiff_t>(insertAt), Line{entry, kWrittenLineEnd});
  } else {
    if (!ini.lines.empty()) EndLine(ini.lines.back());
    ini.lines.push_back({"[" + section + "]", kWrittenLineEnd});
    ini.lines.push_back({entry, kWrittenLineEnd});
  }
  return true;
}

// ---- Files ---------------------------------------------------------------

// The file a write must replace: `path`, or the end of the chain of
// symbolic links that starts there (which need not exist yet).
Status ResolveLinks(const std::string& path, std::string* resolved) {
  std::string current = path;
  for (int hop = 0; hop <= kMaxLinkHops; ++hop) {
    struct stat st {};
    if (::lstat(current.c_str(), &st) != 0) {
      if (errno != ENOENT) return Status::FromErrno(current, errno);
      *resolved = current;
      return Status::Ok();
    }
    if (!S_ISLNK(st.st_mode)) {
      *resolved = current;
      return Status::Ok();
    }
    std::string target(PATH_MAX, '\0');
    const ssize_t n = ::readlink(current.c_str(), target.data(), target.size());
    if (n < 0) return Status::FromErrno(current, errno);
    if (static_cast<size_t>(n) >= target.size()) return Status::FromErrno(current, ENAMETOOLONG);
    target.resize(static_cast<size_t>(n));
    current = (!target.empty() && target[0] == kPathSeparator) ? target : JoinPath(FolderOf(current), target);
  }
  return Status::FromErrno(path, ELOOP);
}

// Replaces `target` with `bytes` through a staged file, synced to disk with
// its folder, keeping the old file's permissions and, for root, its owner.
Status ReplaceFile(const std::string& target, const std::string& bytes, const WholeFile& old) {
  StagedFile staged;
  if (Status s = staged.Create(target); !s.ok()) return s;
  if (Status s = staged.Write(bytes); !s.ok()) return s;
  if (old.Exists && ::fchmod(staged.fd(), old.Stat.st_mode & 0777) != 0) return Status::FromErrno(target, errno);
  // Keeps the owner when root (say, under sudo) writes a user's file. Only
  // root can give a file away, so for anyone else this fails and the file
  // becomes the writer's, as with any editor's save; that is no failure.
  if (old.Exists && (old.Stat.st_uid != ::geteuid() || old.Stat.st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(staged.fd(), old.Stat.st_uid, old.Stat.st_gid);
  }
  if (Status s = staged.Close(Durability::kSynced); !s.ok()) return s;
  return staged.Publish(Durability::kSynced);
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

// ---- Reading -------------------------------------------------------------

SettingsSnapshot SettingsSnapshot::Load(const std::string& path, const std::string& section) {
  SettingsSnapshot snapshot;
  WholeFile content;
  if (!ReadWholeFile(path, content).ok()) return snapshot;
  const IniText ini = Split(content.Bytes);
  const auto range = FindSection(ini.lines, section);
  if (!range) return snapshot;
  for (size_t i = range->begin; i < range->end; ++i) {
    const std::string& text = ini.lines[i].text;
    const auto key = KeyOf(text);
    if (!key) continue;
    std::string value = CutAtNull(RawValueOf(text));
    if (value.size() > kMaxValueBytes) value.resize(kMaxValueBytes);
    snapshot.entries_.emplace_back(*key, std::move(value));
  }
  return snapshot;
}

std::optional<std::string> SettingsSnapshot::Value(const std::string& key) const {
  for (const auto& [k, v] : entries_) {
    if (EqualNoCase(k, key)) return v;
  }
  return std::nullopt;
}

// ---- Writing -------------------------------------------------------------

Status WriteSetting(const std::string& fileName, const std::string& section,
                    const std::string& key, const std::string& value) {
  if (HasLineBreak(section) || HasLineBreak(key) || HasLineBreak(value)) {
    return Status::Fail(ErrorCode::SettingHoldsLineBreak, fileName);
  }
  if (Trim(key).empty() || key.find('=') != std::string::npos || section.find(']') != std::string::npos) {
    return Status::Fail(ErrorCode::InvalidSettingName, fileName, "\"" + section + "/" + key + "\"");
  }

  std::string target;
  if (Status s = ResolveLinks(fileName, &target); !s.ok()) return s;
  const std::string folder = FolderOf(target);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (ec) return Status::FromErrno(folder, ec.value());

  // The lock is a file of its own: the settings file gets a new inode with
  // every write, so a writer waiting on the old one would read stale content.
  const std::string lockPath = target + ".lock";
  const FileDescriptor lock(::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (lock.get() < 0) return Status::FromErrno(lockPath, errno);
  while (::flock(lock.get(), LOCK_EX) != 0) {
    if (errno != EINTR) return Status::FromErrno(lockPath, errno);
  }

  // Read again under the lock: another writer may have changed the file.
  // The lock is released when `lock` closes.
  WholeFile old;
  if (Status s = ReadWholeFile(target, old); !s.ok()) return s;
  IniText ini = Split(old.Bytes);
  if (!Apply(ini, section, key, value)) return Status::Ok();
  return ReplaceFile(target, Join(ini), old);
}

std::string CutAtNull(const std::string& text) {
  const size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

}  // namespace tess
