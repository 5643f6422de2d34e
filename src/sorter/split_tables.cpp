#include "sorter/split_tables.h"

#include <optional>

#include "io/line_reader.h"
#include "io/line_writer.h"
#include "io/paths.h"
#include "sorter/section_file_name.h"
#include "sorter/parse_route_line.h"

namespace tess {

namespace {

constexpr std::string_view kRoutingTable = "Routing Table: ";
constexpr std::string_view kGateway = "Gateway of last resort ";

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
  Splitter(SlotState& slot, const std::string& protectedPath, std::vector<std::string>& created)
      : slot_(slot), protected_(protectedPath), created_(created) {}

  Status Run() {
    slot_.TableName.assign({"!!begin", "!!default"});
    slot_.TableLineCount.assign({0, 0});
    slot_.LastTableIndex = 0;
    LineReader reader;
    if (Status st = reader.Open(slot_.ReadFilePath); !st.ok()) return st;
    if (Status st = OpenSection(); !st.ok()) return st;
    InputLines input(reader);
    std::string line;
    while (input.Next(line)) {
      if (Status st = Cycle(line, input); !st.ok()) return st;
    }
    if (!reader.status().ok()) return reader.status();
    return out_.Commit();
  }

 private:
  Status Cycle(std::string& line, InputLines& input) {
    if (StartsWith(line, kRoutingTable)) {
      MakeRoom(slot_.LastTableIndex + 2);
      slot_.TableName[Index(slot_.LastTableIndex + 1)] = line.substr(kRoutingTable.size());
      slot_.TableName[Index(slot_.LastTableIndex + 2)] = "!!default";
    }
    if (StartsWith(line, kGateway)) {
      if (Status st = out_.Commit(); !st.ok()) return st;
      MakeRoom(slot_.LastTableIndex + 2);
      slot_.TableName[Index(slot_.LastTableIndex + 2)] = "!!default";
      ++slot_.LastTableIndex;
      slot_.TableLineCount[Index(slot_.LastTableIndex)] = 0;
      if (Status st = OpenSection(); !st.ok()) return st;
    }
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
    out_.WriteLine(line);
    previous_ = line;
    ++slot_.TableLineCount[Index(slot_.LastTableIndex)];
    return Status::Ok();
  }

  // An extra path printed under the first path's "[" becomes a full line.
  void ApplyPathRule(std::string& line) {
    const size_t b = BracketColumn(line);
    const size_t a = BracketColumn(previous_);
    const size_t w = BracketColumn(wrapReference_);
    auto near = [](size_t x, size_t y) { return (x > y ? x - y : y - x) <= 2; };
    const bool completable = b > 0 && OnlySpacesBefore(line, b);
    if (near(a, b)) {
      if (completable) Complete(line, b);
      wrapReference_.clear();
    } else if (near(w, b)) {
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
    full += " *";
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

  void MakeRoom(int64_t n) {
    if (static_cast<int64_t>(slot_.TableName.size()) <= n) {
      slot_.TableName.resize(Index(n) + 1, "!!default");
      slot_.TableLineCount.resize(Index(n) + 1, 0);
    }
  }

  Status OpenSection() {
    const std::string path = SectionFilePath(slot_, slot_.LastTableIndex);
    if (SameExistingFile(path, slot_.ReadFilePath) || SameExistingFile(path, protected_)) {
      return Status::Fail(path, "temporary section file would overwrite the input or the result");
    }
    Status st = out_.Create(path, LineWriter::Mode::kDirect);
    if (st.ok()) created_.push_back(path);
    return st;
  }

  static size_t Index(int64_t i) { return static_cast<size_t>(i); }

  SlotState& slot_;
  const std::string& protected_;
  std::vector<std::string>& created_;
  LineWriter out_;
  std::string previous_;
  std::string wrapReference_;
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

Status SplitTables(SlotState& slot, const std::string& protectedPath,
                   std::vector<std::string>& created) {
  return Splitter(slot, protectedPath, created).Run();
}

}  // namespace tess
