#include "compare/report_reader.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include "compare/utf8_text.h"
#include "io/file_descriptor.h"

namespace tess {

namespace {

// The first mark of the header in each encoding: it tells the encoding of
// every other mark.
constexpr std::string_view kUtf8Header = "\xE5\x89\x8D: ";  // "前: " in UTF-8
constexpr std::string_view kCp932Header = "\x91\x4F: ";     // "前: " in CP932

// The whole file in one buffer. O_NONBLOCK: a FIFO at the path must not wait
// for a writer (it is refused as not a regular file).
Status ReadFileBytes(const std::string& path, std::string& bytes) {
  const FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.get() < 0) return Status::FromErrno(path, errno);
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) return Status::FromErrno(path, errno);
  if (!S_ISREG(st.st_mode)) return Status::Fail(ErrorCode::NotARegularFile, path);
  bytes.resize(static_cast<size_t>(st.st_size));
  size_t have = 0;
  while (have < bytes.size()) {
    const ssize_t n = ::read(fd.get(), bytes.data() + have, bytes.size() - have);
    if (n == 0) break;  // the file shrank: what is there is read as it is
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return Status::FromErrno(path, errno);
    have += static_cast<size_t>(n);
  }
  bytes.resize(have);
  return Status::Ok();
}

// The lines of a buffer. A line ends at LF and the CRs just before it are
// dropped, as the walk's reader dropped them from the sort result's lines
// (so a route line read back equals the one the walk recorded).
class LineCursor {
 public:
  explicit LineCursor(std::string_view bytes) : bytes_(bytes) {}

  /// The next line; at the end false, and Number() then names the line
  /// that is missing.
  bool Next(std::string_view& line) {
    if (pos_ >= bytes_.size()) {
      if (!atEnd_) ++number_;
      atEnd_ = true;
      return false;
    }
    const char* from = bytes_.data() + pos_;
    const size_t left = bytes_.size() - pos_;
    const void* lf = std::memchr(from, '\n', left);
    size_t length = lf != nullptr ? static_cast<size_t>(static_cast<const char*>(lf) - from) : left;
    pos_ += lf != nullptr ? length + 1 : length;
    while (length > 0 && from[length - 1] == '\r') --length;
    line = std::string_view(from, length);
    ++number_;
    return true;
  }
  /// The number of the line Next gave last (1-based), 0 before the first.
  int64_t Number() const { return number_; }

 private:
  std::string_view bytes_;
  size_t pos_ = 0;
  int64_t number_ = 0;
  bool atEnd_ = false;
};

// Rebuilds the walk's record from the report's lines. The report is a
// header, then groups each ended by an empty line: a one-sided table (a
// heading when named, its lines), a pair's heading, or one difference of a
// pair; then the verdict.
class ReportParser {
 public:
  ReportParser(std::string_view bytes, ReadReport& report) : lines_(bytes), report_(report) {}

  /// True when the bytes are a whole report; otherwise Error() says where
  /// they stop being one.
  bool Parse();
  const std::string& Error() const { return error_; }

 private:
  enum class State { kBetween, kLines, kChangedBefore, kAfterHeading, kDone };

  // How a group that starts with `mark` is read: a difference of `kind`,
  // its lines on the side `lines` with `linePrefix`; `heading`: the mark
  // is followed by the table's name instead of a line.
  struct GroupStart {
    const std::string& mark;
    DifferenceKind kind;
    bool wholeTable;
    bool heading;
    const std::string& linePrefix;
    std::vector<std::string> RecordedDifference::*lines;
  };

  bool ReadHeader();
  std::string PathText(std::string_view path) const;
  bool Between(std::string_view line);
  bool StartGroup(const GroupStart& start, std::string_view line);
  bool Continue(std::string_view line);
  bool ReadVerdict(std::string_view line);
  RecordedDifference& AddDifference(DifferenceKind kind, bool wholeTable, std::string table);
  void AddLine(std::vector<std::string>& lines, std::string_view text) {
    lines.push_back(LogTextToUtf8(text, report_.Encoding));
  }
  bool Fail(std::string_view what) {
    error_ = "line " + std::to_string(lines_.Number()) + ": " + std::string(what);
    return false;
  }

  LineCursor lines_;
  ReadReport& report_;
  ReportTexts texts_;
  State state_ = State::kBetween;
  const std::string* linePrefix_ = nullptr;  // kLines: the prefix of the group's lines
  std::vector<std::string>* target_ = nullptr;  // kLines, kChangedBefore: where they go
  // The table of a pair's differences: none right after a one-sided named
  // table, whose pair differences would follow a heading of their own.
  std::optional<std::string> pairTable_ = std::string();
  bool namedSeen_ = false;  // a heading was read: unnamed tables come before every named one
  std::string error_;
};

bool ReportParser::Parse() {
  if (!ReadHeader()) return false;
  std::string_view line;
  while (lines_.Next(line)) {
    const bool ok = state_ == State::kBetween ? Between(line) : Continue(line);
    if (!ok) return false;
  }
  if (state_ != State::kDone) return Fail("the report ends without its verdict");
  return true;
}

// "前: LOG1", "後: LOG2", an empty line.
bool ReportParser::ReadHeader() {
  std::string_view line;
  if (!lines_.Next(line)) return Fail("the file is empty");
  if (line.starts_with(kUtf8Header)) {
    report_.Encoding = ReportEncoding::kUtf8;
  } else if (line.starts_with(kCp932Header)) {
    report_.Encoding = ReportEncoding::kCp932;
  } else {
    return Fail("no header naming the logs");
  }
  texts_ = MakeReportTexts(report_.Encoding);
  report_.BeforeLog = PathText(line.substr(texts_.Before.size()));
  if (!lines_.Next(line) || !line.starts_with(texts_.After)) {
    return Fail("the header names no second log");
  }
  report_.AfterLog = PathText(line.substr(texts_.After.size()));
  if (!lines_.Next(line) || !line.empty()) return Fail("the header does not end with an empty line");
  return true;
}

// A log's path is a file name, not log text: kept when it is UTF-8,
// converted from the report's encoding otherwise.
std::string ReportParser::PathText(std::string_view path) const {
  Utf8Validator utf8;
  utf8.Feed(path.data(), path.size());
  return utf8.Valid() ? std::string(path) : LogTextToUtf8(path, report_.Encoding);
}

// The first line of a group, or the verdict.
bool ReportParser::Between(std::string_view line) {
  const GroupStart starts[] = {
      {texts_.GoneTable, DifferenceKind::Gone, true, true, texts_.GoneTableLine, &RecordedDifference::Before},
      {texts_.NewTable, DifferenceKind::New, true, true, texts_.NewTableLine, &RecordedDifference::After},
      {texts_.GoneTableLine, DifferenceKind::Gone, true, false, texts_.GoneTableLine, &RecordedDifference::Before},
      {texts_.NewTableLine, DifferenceKind::New, true, false, texts_.NewTableLine, &RecordedDifference::After},
      {texts_.GoneBlock, DifferenceKind::Gone, false, false, texts_.GoneBlock, &RecordedDifference::Before},
      {texts_.NewBlock, DifferenceKind::New, false, false, texts_.NewBlock, &RecordedDifference::After},
      {texts_.ChangedBefore, DifferenceKind::Changed, false, false, texts_.ChangedBefore, &RecordedDifference::Before},
  };
  for (const GroupStart& start : starts) {
    if (line.starts_with(start.mark)) return StartGroup(start, line.substr(start.mark.size()));
  }
  if (line.starts_with(texts_.PairHeading)) {
    pairTable_ = LogTextToUtf8(line.substr(texts_.PairHeading.size()), report_.Encoding);
    report_.Record.Tables.push_back({*pairTable_, TableOutcome::Compared});
    namedSeen_ = true;
    state_ = State::kAfterHeading;
    return true;
  }
  if (line.empty()) {
    // The one table without a heading that only one log has (the global
    // table), without any route: the report keeps only its empty line, and
    // not which log it was in.
    if (namedSeen_) return Fail("a table without a name after named ones");
    AddDifference(DifferenceKind::Gone, true, {});
    return true;
  }
  return ReadVerdict(line);
}

// `rest`: the text after the group's mark, a table's name or a line.
bool ReportParser::StartGroup(const GroupStart& start, std::string_view rest) {
  if (start.wholeTable && !start.heading && namedSeen_) return Fail("a table without a name after named ones");
  if (!start.wholeTable && !pairTable_) return Fail("a route difference outside any table");
  std::string table;
  if (start.heading) {
    table = LogTextToUtf8(rest, report_.Encoding);
    report_.Record.Tables.push_back(
        {table, start.kind == DifferenceKind::Gone ? TableOutcome::Gone : TableOutcome::New});
    namedSeen_ = true;
    pairTable_.reset();
  } else if (!start.wholeTable) {
    table = *pairTable_;
  }
  RecordedDifference& d = AddDifference(start.kind, start.wholeTable, std::move(table));
  target_ = &(d.*start.lines);
  if (!start.heading) AddLine(*target_, rest);
  linePrefix_ = &start.linePrefix;
  state_ = start.kind == DifferenceKind::Changed ? State::kChangedBefore : State::kLines;
  return true;
}

// A further line of the group being read.
bool ReportParser::Continue(std::string_view line) {
  switch (state_) {
    case State::kLines:
      if (line.empty()) {
        state_ = State::kBetween;
        return true;
      }
      if (!line.starts_with(*linePrefix_)) return Fail("a line that does not continue the difference above it");
      AddLine(*target_, line.substr(linePrefix_->size()));
      return true;
    case State::kChangedBefore: {
      if (line.starts_with(texts_.ChangedBefore)) {
        AddLine(*target_, line.substr(texts_.ChangedBefore.size()));
        return true;
      }
      if (!line.starts_with(texts_.ChangedAfter)) return Fail("a changed route without its lines after the change");
      target_ = &report_.Record.Differences.back().After;
      linePrefix_ = &texts_.ChangedAfter;
      AddLine(*target_, line.substr(texts_.ChangedAfter.size()));
      state_ = State::kLines;
      return true;
    }
    case State::kAfterHeading:
      if (!line.empty()) return Fail("a table's heading not followed by an empty line");
      state_ = State::kBetween;
      return true;
    case State::kDone:
      return Fail("text after the verdict");
    case State::kBetween:
      break;
  }
  return Between(line);
}

// "同等です", or " N の違いがあります" with N written as the walk writes a
// count (no sign, no leading zero); N must be the number of differences read.
bool ReportParser::ReadVerdict(std::string_view line) {
  int64_t count = 0;
  if (line != texts_.Equivalent) {
    if (!line.starts_with(' ')) return Fail("an unknown line");
    const std::string tail = " " + texts_.Differences;
    std::string_view digits = line.substr(1);
    if (!digits.ends_with(tail)) return Fail("a malformed verdict");
    digits.remove_suffix(tail.size());
    if (digits.empty() || digits.size() > 18 || digits[0] == '0') return Fail("a malformed verdict");
    for (const char c : digits) {
      if (c < '0' || c > '9') return Fail("a malformed verdict");
      count = count * 10 + (c - '0');
    }
  }
  const auto read = static_cast<int64_t>(report_.Record.Differences.size());
  if (count != read) {
    return Fail("the verdict counts " + std::to_string(count) + " differences, the report holds " +
                std::to_string(read));
  }
  report_.DifferenceCount = count;
  state_ = State::kDone;
  return true;
}

RecordedDifference& ReportParser::AddDifference(DifferenceKind kind, bool wholeTable, std::string table) {
  RecordedDifference& d = report_.Record.Differences.emplace_back();
  d.Kind = kind;
  d.WholeTable = wholeTable;
  d.Table = std::move(table);
  return d;
}

}  // namespace

Status ReadComparisonReport(const std::string& path, ReadReport& report) {
  return FailOnOutOfMemory(path, [&] {
    std::string bytes;
    if (Status st = ReadFileBytes(path, bytes); !st.ok()) return st;
    ReadReport read;
    ReportParser parser(bytes, read);
    if (!parser.Parse()) return Status::Fail(ErrorCode::NotAReport, path, parser.Error());
    report = std::move(read);
    return Status::Ok();
  });
}

}  // namespace tess
