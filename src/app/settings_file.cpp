#include "app/settings_file.h"

#include "io/paths.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

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

// Closes a descriptor on every way out.
class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  ~Fd() { Close(); }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int get() const { return fd_; }
  // Closes now; false (errno set) when close reports a failure.
  bool Close() {
    if (fd_ < 0) return true;
    const int r = ::close(fd_);
    fd_ = -1;
    return r == 0;
  }

 private:
  int fd_;
};

struct FileContent {
  bool exists = false;
  std::string bytes;
  struct stat st {};
};

// Reads the whole regular file at `path`; a missing file is no failure.
Status ReadWhole(const std::string& path, FileContent* content) {
  // O_NONBLOCK: a FIFO planted at the path must not hang the program.
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) {
    if (errno == ENOENT) return Status::Ok();
    return Status::FromErrno(path, errno);
  }
  if (::fstat(fd.get(), &content->st) != 0) return Status::FromErrno(path, errno);
  if (!S_ISREG(content->st.st_mode)) return Status::Fail(ErrorCode::NotARegularFile, path);
  content->exists = true;
  char buffer[8192];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(path, errno);
    }
    content->bytes.append(buffer, static_cast<size_t>(n));
  }
  return Status::Ok();
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

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
    current = (!target.empty() && target[0] == '/') ? target : FolderOf(current) + "/" + target;
  }
  return Status::FromErrno(path, ELOOP);
}

Status WriteAll(int fd, const std::string& path, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Status::FromErrno(path, errno);
    }
    done += static_cast<size_t>(n);
  }
  return Status::Ok();
}

// Writes `bytes` to a new unique file beside `target` and renames it over
// `target`. The temporary file is removed on every failure.
Status ReplaceFile(const std::string& target, const std::string& bytes, const FileContent& old) {
  const std::string folder = FolderOf(target);
  std::string temp = folder + "/." + NameOf(target) + ".XXXXXX";
  Fd fd(::mkostemp(temp.data(), O_CLOEXEC));  // O_EXCL: never opens an existing name or link
  if (fd.get() < 0) return Status::FromErrno(temp, errno);

  auto fail = [&temp](Status status) {
    ::unlink(temp.c_str());
    return status;
  };
  if (Status s = WriteAll(fd.get(), temp, bytes); !s.ok()) return fail(s);
  const mode_t mode = old.exists ? (old.st.st_mode & 0777) : (0666 & ~ProcessUmask());
  if (::fchmod(fd.get(), mode) != 0) return fail(Status::FromErrno(temp, errno));
  // Keeps the owner when root (say, under sudo) writes a user's file. Only
  // root can give a file away, so for anyone else this fails and the file
  // becomes the writer's, as with any editor's save; that is no failure.
  if (old.exists && (old.st.st_uid != ::geteuid() || old.st.st_gid != ::getegid())) {
    [[maybe_unused]] const int ignored = ::fchown(fd.get(), old.st.st_uid, old.st.st_gid);
  }
  if (::fsync(fd.get()) != 0) return fail(Status::FromErrno(temp, errno));
  if (!fd.Close()) return fail(Status::FromErrno(temp, errno));
  if (::rename(temp.c_str(), target.c_str()) != 0) return fail(Status::FromErrno(target, errno));

  // Makes the rename itself durable; the file is in place either way.
  Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return Status::Ok();
}

bool HasLineBreak(const std::string& s) { return s.find_first_of("\r\n") != std::string::npos; }

}  // namespace

// ---- Reading -------------------------------------------------------------

SettingsSnapshot SettingsSnapshot::Load(const std::string& path, const std::string& section) {
  SettingsSnapshot snapshot;
  FileContent content;
  if (!ReadWhole(path, &content).ok()) return snapshot;
  const IniText ini = Split(content.bytes);
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
  std::error_code ec;
  std::filesystem::create_directories(FolderOf(target), ec);
  if (ec) return Status::FromErrno(FolderOf(target), ec.value());

  // The lock is a file of its own: the settings file gets a new inode with
  // every write, so a writer waiting on the old one would read stale content.
  const std::string lockPath = target + ".lock";
  Fd lock(::open(lockPath.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666));
  if (lock.get() < 0) return Status::FromErrno(lockPath, errno);
  while (::flock(lock.get(), LOCK_EX) != 0) {
    if (errno != EINTR) return Status::FromErrno(lockPath, errno);
  }

  // Read again under the lock: another writer may have changed the file.
  // The lock is released when `lock` closes.
  FileContent old;
  if (Status s = ReadWhole(target, &old); !s.ok()) return s;
  IniText ini = Split(old.bytes);
  if (!Apply(ini, section, key, value)) return Status::Ok();
  return ReplaceFile(target, Join(ini), old);
}

std::string CutAtNull(const std::string& text) {
  const size_t nul = text.find('\0');
  return nul == std::string::npos ? text : text.substr(0, nul);
}

}  // namespace tess
