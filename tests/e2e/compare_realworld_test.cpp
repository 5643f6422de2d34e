// Properties of the comparison on the real captures of ../shared/realworld,
// each copied into a temporary folder first: a log against itself, against
// a copy with its tables in another order and other ages, against a copy
// with the route blocks of a table shuffled, and against a copy that lacks
// one route.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <regex>

#include "app/form_state.h"
#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

struct Capture {
  std::string name;   // path below the realworld folder
  std::string bytes;
};

std::vector<Capture> Captures() {
  std::vector<Capture> captures;
  const std::string root = RealWorldDir();
  if (root.empty()) return captures;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file() && entry.path().extension() == ".log") {
      captures.push_back({fs::relative(entry.path(), root).string(), ReadFile(entry.path().string())});
    }
  }
  std::sort(captures.begin(), captures.end(), [](const Capture& a, const Capture& b) { return a.name < b.name; });
  return captures;
}

#define REQUIRE_CAPTURES(captures) \
  if ((captures).empty()) GTEST_SKIP() << "no real-world captures: ../shared/realworld is missing"

// Lines with their line ends; a last line without one gets the log's own.
std::vector<std::string> SplitLines(const std::string& bytes) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < bytes.size()) {
    const size_t lf = bytes.find('\n', start);
    const size_t end = lf == std::string::npos ? bytes.size() : lf + 1;
    lines.push_back(bytes.substr(start, end - start));
    start = end;
  }
  if (!lines.empty() && lines.back().back() != '\n') {
    lines.back() += bytes.find("\r\n") != std::string::npos ? "\r\n" : "\n";
  }
  return lines;
}

std::string Join(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) bytes += line;
  return bytes;
}

std::string Text(const std::string& line) { return line.substr(0, line.find_first_of("\r\n")); }
bool StartsWith(const std::string& line, const char* head) { return line.rfind(head, 0) == 0; }
bool IsGateway(const std::string& line) { return StartsWith(line, "Gateway of last resort "); }
bool IsTableName(const std::string& line) { return StartsWith(line, "Routing Table: "); }

// A route as the router lays it out: code in columns 1 to 4, a space in
// column 5, then the destination; group 2 is a mask written on the line.
const std::regex kRouteLine(R"(^[^ *][ *].. +(\d{1,3}(?:\.\d{1,3}){3})(/\d{1,2}| \d{1,3}(?:\.\d{1,3}){3})?(?: |$))");
// A further line of a route (a path, or the rest of a wrapped route).
const std::regex kContinuation(R"(^ +[^ 0-9])");

bool IsContinuation(const std::string& line) { return std::regex_search(Text(line), kContinuation); }

// The route blocks of lines [begin, end): index of the route line and one
// past its last continuation line.
struct Block {
  size_t begin, end;
  bool ownMask;
  std::array<int, 4> destination;
};
std::vector<Block> Blocks(const std::vector<std::string>& lines, size_t begin, size_t end) {
  std::vector<Block> blocks;
  std::smatch m;
  for (size_t i = begin; i < end; ++i) {
    const std::string text = Text(lines[i]);
    if (!std::regex_search(text, m, kRouteLine)) continue;
    Block b{i, i + 1, m[2].matched, {}};
    std::sscanf(m[1].str().c_str(), "%d.%d.%d.%d", &b.destination[0], &b.destination[1], &b.destination[2],
                &b.destination[3]);
    while (b.end < end && IsContinuation(lines[b.end])) ++b.end;
    blocks.push_back(b);
    i = b.end - 1;
  }
  return blocks;
}

// Line ranges of the table bodies: after each gateway line up to the next
// table's first line.
std::vector<std::pair<size_t, size_t>> TableBodies(const std::vector<std::string>& lines) {
  std::vector<std::pair<size_t, size_t>> bodies;
  for (size_t i = 0; i < lines.size(); ++i) {
    if (!IsGateway(lines[i])) continue;
    size_t end = i + 1;
    while (end < lines.size() && !IsGateway(lines[end]) && !IsTableName(lines[end])) ++end;
    bodies.push_back({i + 1, end});
  }
  return bodies;
}

// The log with its tables (each with its "Routing Table: " line) grouped by
// name and the groups in reverse order; tables of one name keep their order,
// since the first of them stands for the name.
std::vector<std::string> TablesReordered(const std::vector<std::string>& lines) {
  std::vector<std::string> preamble, pending;
  std::string pendingName;
  std::vector<std::pair<std::string, std::vector<std::string>>> tables;
  for (const auto& line : lines) {
    if (IsTableName(line)) {
      pending.push_back(line);
      pendingName = Text(line).substr(15);
    } else if (IsGateway(line)) {
      pending.push_back(line);
      tables.push_back({pending.size() > 1 ? pendingName : "!!default", pending});
      pending.clear();
    } else if (!pending.empty()) {
      pending.push_back(line);
    } else {
      (tables.empty() ? preamble : tables.back().second).push_back(line);
    }
  }
  std::vector<std::string> names;
  for (const auto& t : tables) {
    if (std::find(names.begin(), names.end(), t.first) == names.end()) names.push_back(t.first);
  }
  std::vector<std::string> out = preamble;
  for (auto name = names.rbegin(); name != names.rend(); ++name) {
    for (const auto& t : tables) {
      if (t.first == *name) out.insert(out.end(), t.second.begin(), t.second.end());
    }
  }
  out.insert(out.end(), pending.begin(), pending.end());
  return out;
}

int BracketColumn(const std::string& line) {
  const size_t c = line.find('[');
  return c == std::string::npos ? 0 : static_cast<int>(c) + 1;
}

// Rewrites the ages of every path of every route: an age between two commas,
// or at the end of a BGP line. A path stands with its "[" within two columns
// of the route's own "[" (or, for a wrapped route, of the wrapped part's);
// a line further off is no path of that route (the log keeps it as written)
// and keeps its age.
std::vector<std::string> AgesRewritten(std::vector<std::string> lines) {
  static const std::regex between(R"(, (\d+:\d\d:\d\d|\d+[ywdh]\d+[wdh]),)");
  static const std::regex atEnd(R"(, (\d+:\d\d:\d\d|\d+[ywdh]\d+[wdh])(\r?\n)$)");
  auto rewrite = [](std::string& line, bool bgp) {
    line = std::regex_replace(line, between, ", 9w9d,");
    if (bgp) line = std::regex_replace(line, atEnd, ", 01:02:03$2");
  };
  for (const Block& b : Blocks(lines, 0, lines.size())) {
    const bool bgp = StartsWith(lines[b.begin], "B ") || StartsWith(lines[b.begin], "B*");
    const int head = BracketColumn(lines[b.begin]);
    int wrapped = 0;
    rewrite(lines[b.begin], bgp);
    for (size_t i = b.begin + 1; i < b.end; ++i) {
      const int column = BracketColumn(lines[i]);
      if (column == 0) break;
      if (head == 0 && wrapped == 0) {
        wrapped = column;
      } else if (std::abs(column - head) > 2 && (wrapped == 0 || std::abs(column - wrapped) > 2)) {
        break;
      }
      rewrite(lines[i], bgp);
    }
  }
  return lines;
}

// Compares two logs in a fresh folder, run as the window runs it (in this
// process, which keeps the many runs fast); gives 0 for "同等です", 1 for
// differences, 2 for a failure, and the report with its header cut off.
// Without `after` the log is given twice.
int CompareFiles(const std::string& before, const std::string* after, std::string& body) {
  ScratchDir work;
  const bool same = after == nullptr;
  WriteFile(work.File("before.log"), before);
  if (!same) WriteFile(work.File("after.log"), *after);
  FormState form;
  form.Form_Load(work.File("Tessaline.ini"));
  form.SetReadFileText(1, work.File("before.log"));
  form.SetReadFileText(2, work.File(same ? "before.log" : "after.log"));
  const DiffOutcome outcome = form.cmdDiff_Click();
  const std::string report = ReadFile(form.DiffFilePath);
  const std::string header = CrLf({"前: " + form.txtReadFile[1].Text, "後: " + form.txtReadFile[2].Text, ""});
  body = report.rfind(header, 0) == 0 ? report.substr(header.size()) : report;
  if (!outcome.status.ok()) return 2;
  return outcome.DifferenceCount == 0 ? 0 : 1;
}

const std::string kEquivalent = CrLf({"同等です"});

TEST(CompareRealWorld, LogAgainstItselfIsEquivalent) {
  const std::vector<Capture> captures = Captures();
  REQUIRE_CAPTURES(captures);
  for (const Capture& c : captures) {
    SCOPED_TRACE(c.name);
    std::string body;
    EXPECT_EQ(CompareFiles(c.bytes, nullptr, body), 0);
    EXPECT_EQ(body, kEquivalent);
  }
}

TEST(CompareRealWorld, TablesInAnotherOrderWithOtherAgesAreEquivalent) {
  const std::vector<Capture> captures = Captures();
  REQUIRE_CAPTURES(captures);
  for (const Capture& c : captures) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = SplitLines(c.bytes);
    const std::string moved = Join(AgesRewritten(TablesReordered(lines)));
    ASSERT_EQ(TableBodies(SplitLines(moved)).size(), TableBodies(lines).size());
    std::string body;
    EXPECT_EQ(CompareFiles(c.bytes, &moved, body), 0);
    EXPECT_EQ(body, kEquivalent);
  }
}

TEST(CompareRealWorld, ShuffledRouteBlocksChangeNothing) {
  const std::vector<Capture> captures = Captures();
  REQUIRE_CAPTURES(captures);
  int shuffled = 0;
  for (const Capture& c : captures) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = SplitLines(c.bytes);
    std::vector<std::string> out;
    size_t copied = 0;
    for (const auto& [begin, end] : TableBodies(lines)) {
      std::vector<Block> blocks = Blocks(lines, begin, end);
      const bool allOwnMasks = std::all_of(blocks.begin(), blocks.end(), [](const Block& b) { return b.ownMask; });
      if (blocks.size() < 2 || !allOwnMasks) continue;
      // Highest destination first; blocks of one destination keep their order.
      std::vector<Block> order = blocks;
      std::stable_sort(order.begin(), order.end(),
                       [](const Block& a, const Block& b) { return a.destination > b.destination; });
      for (size_t k = 0; k < blocks.size(); ++k) {
        out.insert(out.end(), lines.begin() + static_cast<long>(copied), lines.begin() + static_cast<long>(blocks[k].begin));
        out.insert(out.end(), lines.begin() + static_cast<long>(order[k].begin), lines.begin() + static_cast<long>(order[k].end));
        copied = blocks[k].end;
      }
    }
    if (out.empty()) continue;
    out.insert(out.end(), lines.begin() + static_cast<long>(copied), lines.end());
    ++shuffled;
    std::string body;
    const std::string shuffledLog = Join(out);
    EXPECT_EQ(CompareFiles(c.bytes, &shuffledLog, body), 0);
    EXPECT_EQ(body, kEquivalent);
  }
  EXPECT_GT(shuffled, 0) << "no capture has a table whose routes all carry their own mask";
}

TEST(CompareRealWorld, RemovedRouteBlockIsOneDifference) {
  const std::vector<Capture> captures = Captures();
  REQUIRE_CAPTURES(captures);
  int removed = 0;
  for (const Capture& c : captures) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> lines = SplitLines(c.bytes);
    for (const auto& [begin, end] : TableBodies(lines)) {
      const std::vector<Block> blocks = Blocks(lines, begin, end);
      const auto own = std::find_if(blocks.begin(), blocks.end(), [](const Block& b) { return b.ownMask; });
      if (own == blocks.end()) continue;
      lines.erase(lines.begin() + static_cast<long>(own->begin), lines.begin() + static_cast<long>(own->end));
      ++removed;
      std::string body;
      const std::string shorter = Join(lines);
      EXPECT_EQ(CompareFiles(c.bytes, &shorter, body), 1);
      const std::string verdict = Differences(1) + "\r\n";
      EXPECT_NE(body.find("減< "), std::string::npos) << body;
      EXPECT_EQ(body.substr(body.size() - std::min(body.size(), verdict.size())), verdict) << body;
      break;
    }
  }
  EXPECT_GT(removed, 0);
}

}  // namespace
}  // namespace tess::testing
