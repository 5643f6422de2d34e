#include "sorter/split_tables.h"

#include <optional>
#include <utility>

#include "io/line_reader.h"
#include "io/line_writer.h"
#include "io/paths.h"
#include "sorter/coded_route_line.h"
#include "sorter/ios_route_line.h"
#include "sorter/log_format.h"
#include "sorter/table_opener.h"

namespace tess {

namespace {

bool StartsWith(std::string_view s, std::string_view prefix) { return s.substr(0, prefix.size()) == prefix; }

bool OnlySpacesBefore(std::string_view line, size_t column) {
  return line.substr(0, column - 1).find_first_not_of(' ') == std::string_view::npos;
}

// The input with a one-line look-ahead, backspaces already applied.
class InputLines {
 public:
  explicit InputLines(LineReader& reader) : reader_(reader) {}
  bool Next(std::string& line) {
    if (peeked_) {
      line = std::move(*peeked_);
      peeked_.reset();
      return true;
    }
    if (!reader_.ReadLine(line)) return false;
    ApplyBackspaces(line);
    return true;
  }
  // The next line without consuming it; empty at the end of the input.
  const std::string& Peek() {
    static const std::string kNone;
    if (!peeked_) {
      std::string line;
      if (!reader_.ReadLine(line)) return kNone;
      ApplyBackspaces(line);
      peeked_ = std::move(line);
    }
    return *peeked_;
  }
  // Consumes the line that Peek() showed.
  void Drop() { peeked_.reset(); }

 private:
  LineReader& reader_;
  std::optional<std::string> peeked_;
};

class Splitter {
 public:
  Splitter(const std::string& logPath, const std::string& tempPath, const std::string& protectedPath,
           std::vector<SplitSection>& sections, const std::atomic<bool>* stop,
           const SplitLineObserver& observer, std::atomic<int64_t>* bytesRead)
      : log_(logPath),
        temp_(tempPath),
        protected_(protectedPath),
        sections_(sections),
        stop_(stop),
        observer_(observer),
        bytesRead_(bytesRead) {}

  Status Run() {
    sections_.clear();
    LineReader reader;
    if (Status st = reader.Open(log_); !st.ok()) return st;
    if (SameExistingFile(temp_, log_) || SameExistingFile(temp_, protected_)) {
      return Status::Fail(ErrorCode::TemporaryWouldOverwriteInputOrResult, temp_);
    }
    if (Status st = out_.Create(temp_, LineWriter::Mode::kDirect); !st.ok()) return st;
    OpenSection(std::string(kPreambleTableName), TableDialect::IosIpv4);
    InputLines input(reader);
    std::string line;
    for (uint64_t count = 1; input.Next(line); ++count) {
      if (count % kLinesBetweenChecks == 0) {
        AddBytesRead(reader);
        if (stop_ != nullptr && *stop_) return StoppedRun(log_);
      }
      if (Status st = Cycle(line, input); !st.ok()) return st;
    }
    if (!reader.status().ok()) return reader.status();
    AddBytesRead(reader);
    return out_.Commit();
  }

 private:
  // Lines between two looks at the stop flag and two additions to the
  // bytes read: a few hundred kilobytes of log, a few milliseconds.
  static constexpr uint64_t kLinesBetweenChecks = 4096;

  // Adds what the reader has read since the last call (the look-ahead line
  // included) to the caller's counter.
  void AddBytesRead(const LineReader& reader) {
    if (bytesRead_ == nullptr) return;
    const int64_t read = reader.Position() - 1;
    bytesRead_->fetch_add(read - bytesAdded_, std::memory_order_relaxed);
    bytesAdded_ = read;
  }

  Status Cycle(std::string& line, InputLines& input) {
    NoteTableBoundary(line);
    // The repairs of wrapped lines and extra paths are IOS IPv4's; the other
    // dialects keep every line as it is and read routes as blocks.
    if (sections_.back().Dialect == TableDialect::IosIpv4) RepairIosLine(line, input);
    const int64_t position = out_.Position();
    out_.WriteLine(line);
    if (observer_) {
      std::string_view asReadBack = line;
      while (!asReadBack.empty() && asReadBack.back() == '\r') asReadBack.remove_suffix(1);
      observer_(sections_.size() - 1, sections_.back().Dialect, asReadBack, position, out_.Position() - position);
    }
    previous_ = line;
    ++sections_.back().LineCount;
    return Status::Ok();
  }

  // Opens a section at a line that opens a table, and notes the names that
  // "Routing Table: NAME" (IOS) and "VRF: NAME" (IOS-XR) give the next one.
  // A table opened by "Gateway of last resort" is IOS-XR's when an XR
  // "VRF: NAME" line or XR legend came before it, IOS IPv4's otherwise;
  // either turns out IPv6 (IOS-XR "show route ipv6") when its gateway or
  // its first route is.
  void NoteTableBoundary(std::string_view line) {
    if (StartsWith(line, kRoutingTablePrefix)) {
      nextName_ = line.substr(kRoutingTablePrefix.size());
    } else if (std::optional<std::string> vrf = XrVrfNameOf(line)) {
      nextName_ = std::move(*vrf);
      xrMarked_ = true;
    } else if (IsXrLegendLine(line)) {
      xrMarked_ = true;
    }
    if (StartsWith(line, kGatewayLinePrefix)) {
      const TableDialect dialect = std::exchange(xrMarked_, false) ? TableDialect::Xr : TableDialect::IosIpv4;
      OpenSection(std::exchange(nextName_, std::string(kGlobalTableName)), dialect);
      familyPending_ = true;
      if (line.find(':') != std::string_view::npos) TurnSectionIpv6();
    } else if (std::optional<TableOpening> opening = TableOpenedBy(line)) {
      OpenSection(std::move(opening->Name), opening->Dialect);
      familyPending_ = xrMarked_ = false;
    } else if (familyPending_) {
      if (OpensRoute(ReadCodedRouteLine(line, false, Destinations::Ipv6).Role)) {
        TurnSectionIpv6();
      } else if (IsRouteStartLine(line)) {
        familyPending_ = false;
      }
    }
  }

  // The section opened by "Gateway of last resort" is an IOS-XR IPv6 table.
  void TurnSectionIpv6() {
    SplitSection& section = sections_.back();
    section.Dialect = TableDialect::Xr;
    section.Name = Ipv6TableName(section.Name);
    familyPending_ = false;
  }

  void RepairIosLine(std::string& line, InputLines& input) {
    if (StartsWith(line, "    ")) {
      ApplyPathRule(line);
    } else {
      wrapReference_.clear();
    }
    if (!line.empty() && line.back() == ' ') {
      JoinWrappedLine(line, input, "");
    } else if (EndsAfterDestination(line)) {
      JoinWrappedLine(line, input, " ");
    }
  }

  // An extra path printed under the first path's "[" becomes a full line.
  void ApplyPathRule(std::string& line) {
    const size_t b = BracketColumn(line);
    const size_t a = BracketColumn(previous_);
    const size_t w = BracketColumn(wrapReference_);
    const bool completable = b > 0 && OnlySpacesBefore(line, b);
    if (BracketsLineUp(a, b)) {
      if (completable) Complete(line, b);
      wrapReference_.clear();
    } else if (BracketsLineUp(w, b)) {
      if (completable) {
        Complete(line, b);
      } else {
        wrapReference_.clear();
      }
    } else {
      wrapReference_.clear();
    }
  }

  void Complete(std::string& line, size_t b) {
    const size_t a = BracketColumn(previous_);
    std::string full = previous_.substr(0, a);  // up to and including its "["
    full += std::string_view(line).substr(b);
    full += kExtraPathMark;
    line = std::move(full);
  }

  // A route line continued on the next line (which begins with "[" after its
  // spaces) is joined with it; `gap` restores the space a capture dropped.
  void JoinWrappedLine(std::string& line, InputLines& input, std::string_view gap) {
    const std::string& next = input.Peek();
    const size_t firstNonSpace = next.find_first_not_of(' ');
    if (firstNonSpace != std::string::npos && next[firstNonSpace] == '[') {
      wrapReference_ = next;
      line += gap;
      line.append(next, firstNonSpace);
      input.Drop();
    } else {
      wrapReference_.clear();
    }
  }

  void OpenSection(std::string name, TableDialect dialect) {
    sections_.push_back({std::move(name), out_.Position(), 0, dialect});
  }

  const std::string& log_;
  const std::string& temp_;
  const std::string& protected_;
  std::vector<SplitSection>& sections_;
  const std::atomic<bool>* stop_;
  const SplitLineObserver& observer_;
  std::atomic<int64_t>* bytesRead_;
  int64_t bytesAdded_ = 0;  // of the reader's bytes, those added to *bytesRead_
  LineWriter out_;
  std::string nextName_ = std::string(kGlobalTableName);
  std::string previous_;
  std::string wrapReference_;
  bool familyPending_ = false;  // a table opened by "Gateway of last resort" before its first route
  bool xrMarked_ = false;       // an IOS-XR line came since the last table opened
};

}  // namespace

// Each backspace erases itself and the character before it, left to right;
// one in the first column erases only itself.
void ApplyBackspaces(std::string& line) {
  if (line.find('\b') == std::string::npos) return;
  size_t kept = 0;
  for (char c : line) {
    if (c != '\b') {
      line[kept++] = c;
    } else if (kept > 0) {
      --kept;
    }
  }
  line.resize(kept);
}

Status SplitTables(const std::string& logPath, const std::string& tempPath,
                   const std::string& protectedPath, std::vector<SplitSection>& sections,
                   const std::atomic<bool>* stop, const SplitLineObserver& observer,
                   std::atomic<int64_t>* bytesRead) {
  return Splitter(logPath, tempPath, protectedPath, sections, stop, observer, bytesRead).Run();
}

Status StoppedRun(const std::string& logPath) { return Status::Fail(ErrorCode::RunStopped, logPath); }

}  // namespace tess
