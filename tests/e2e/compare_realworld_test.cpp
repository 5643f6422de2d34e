// Properties of the comparison on the real captures of tests/captures, each
// copied into a temporary folder first: a log against itself, against
// a copy with its tables in another order and other ages, against a copy
// with the route blocks of a table shuffled, and against a copy that lacks
// one route.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "e2e/compare_support.h"

namespace tess::testing {
namespace {

struct Capture {
  std::string name, bytes;  // path below the captures folder, contents
};

std::vector<Capture> Captures() {
  std::vector<Capture> captures;
  for (const std::string& name : CaptureLogs()) captures.push_back({name, ReadFile(CapturesDir() + "/" + name)});
  return captures;
}

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
bool IsGateway(const std::string& line) { return line.starts_with("Gateway of last resort "); }
bool IsTableName(const std::string& line) { return line.starts_with("Routing Table: "); }

// A route as the router lays it out: code in columns 1 to 4, a space in
// column 5, then the destination; group 2 is a mask written on the line.
const std::regex kRouteLine(R"(^[^ *][ *].. +(\d{1,3}(?:\.\d{1,3}){3})(/\d{1,2}| \d{1,3}(?:\.\d{1,3}){3})?(?: |$))");
// A further line of a route (a path, or the rest of a wrapped route).
bool IsContinuation(const std::string& line) {
  static const std::regex continuation(R"(^ +[^ 0-9])");
  return std::regex_search(Text(line), continuation);
}

// The route blocks of lines [begin, end): index of the route line and one
// past its last continuation line.
struct Block {
  size_t begin, end;
  bool ownMask;
  std::array<int, 4> destination;
};
std::vector<Block> Blocks(const std::vector<std::string>& lines, size_t begin, size_t end) {
  std::vector<Block> blocks;
  for (size_t i = begin; i < end; ++i) {
    const std::string text = Text(lines[i]);
    std::smatch m;
    if (!std::regex_search(text, m, kRouteLine)) continue;
    Block b{i, i + 1, m[2].matched, {}};
    std::sscanf(m[1].str().c_str(), "%d.%d.%d.%d", &b.destination[0], &b.destination[1], &b.destination[2], &b.destination[3]);
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

// The log with its tables (each from its "Routing Table: " line) in the
// reverse order of their names' first appearance; tables of one name keep
// their order, since the first of them stands for the name.
std::vector<std::string> TablesReordered(const std::vector<std::string>& lines) {
  std::vector<std::pair<std::string, std::vector<std::string>>> parts = {{"", {}}};  // the preamble
  std::vector<std::string> names = {""}, pending;
  std::string pendingName;
  for (const auto& line : lines) {
    if (IsTableName(line)) pendingName = Text(line).substr(15);
    if (IsGateway(line)) {
      pending.push_back(line);
      parts.push_back({pending.size() > 1 ? pendingName : "!!default", pending});
      if (std::find(names.begin(), names.end(), parts.back().first) == names.end()) names.push_back(parts.back().first);
      pending.clear();
    } else {
      (IsTableName(line) || !pending.empty() ? pending : parts.back().second).push_back(line);
    }
  }
  auto rank = [&names](const std::string& name) {
    const long k = std::find(names.begin(), names.end(), name) - names.begin();
    return k == 0 ? 0 : static_cast<long>(names.size()) - k;
  };
  std::stable_sort(parts.begin(), parts.end(), [&](const auto& a, const auto& b) { return rank(a.first) < rank(b.first); });
  std::vector<std::string> out;
  for (const auto& part : parts) out.insert(out.end(), part.second.begin(), part.second.end());
  out.insert(out.end(), pending.begin(), pending.end());  // a table name without its table stays last
  return out;
}

// Rewrites the ages of every path of every route: an age between two commas,
// or at the end of a BGP line. A path stands with its "[" within two columns
// of the route's own "[" (or, for a wrapped route, of the wrapped part's);
// a line further off is no path of that route (the log keeps it as written)
// and keeps its age.
std::vector<std::string> AgesRewritten(std::vector<std::string> lines) {
  static const std::regex between(R"(, (\d+:\d\d:\d\d|\d+[ywdh]\d+[wdh]),)");
  static const std::regex atEnd(R"(, (\d+:\d\d:\d\d|\d+[ywdh]\d+[wdh])(\r?\n)$)");
  auto bracketColumn = [](const std::string& line) { return static_cast<int>(line.find('[') + 1); };  // 0: none
  auto rewrite = [](std::string& line, bool bgp) {
    line = std::regex_replace(line, between, ", 9w9d,");
    if (bgp) line = std::regex_replace(line, atEnd, ", 01:02:03$2");
  };
  for (const Block& b : Blocks(lines, 0, lines.size())) {
    const bool bgp = lines[b.begin].starts_with("B ") || lines[b.begin].starts_with("B*");
    const int head = bracketColumn(lines[b.begin]);
    int wrapped = 0;
    rewrite(lines[b.begin], bgp);
    for (size_t i = b.begin + 1; i < b.end; ++i) {
      const int column = bracketColumn(lines[i]);
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

// Compares two logs in a fresh folder with the call both front ends make
// (in this process, which keeps the many runs fast); gives 0 for "同等です", 1 for
// differences, 2 for a failure, and the report's body after its header.
// Without `after` the log is given twice.
int CompareFiles(const std::string& before, const std::string* after, std::string& body) {
  ScratchDir work;
  WriteFile(work.File("before.log"), before);
  if (after != nullptr) WriteFile(work.File("after.log"), *after);
  CompareRequest request;
  request.Before = FilesOfLog(work.File("before.log"), 1, ".srt");
  request.After = FilesOfLog(work.File(after == nullptr ? "before.log" : "after.log"), 2, ".srt");
  request.ReportPath = BaseName(request.After.LogPath) + ".dif";
  const CompareOutcome outcome = CompareLogs(request);
  body = ReadFile(request.ReportPath);
  const std::string header = CrLf({"前: " + request.Before.LogPath, "後: " + request.After.LogPath, ""});
  if (body.starts_with(header)) body.erase(0, header.size());
  return !outcome.status.ok() ? 2 : (outcome.DifferenceCount == 0 ? 0 : 1);
}

void ExpectEquivalent(const std::string& before, const std::string* after) {
  std::string body;
  EXPECT_EQ(CompareFiles(before, after, body), 0);
  EXPECT_EQ(body, CrLf({"同等です"}));
}

// Runs the body on every capture; without any the test fails.
#define FOR_EACH_CAPTURE(c)                                                  \
  const std::vector<Capture> captures = Captures();                          \
  ASSERT_FALSE(captures.empty()) << "no capture in " << CapturesDir();       \
  for (const Capture& c : captures)

using LineList = std::vector<std::string>;
long At(size_t index) { return static_cast<long>(index); }

TEST(CompareRealWorld, LogAgainstItselfIsEquivalent) {
  FOR_EACH_CAPTURE(c) {
    SCOPED_TRACE(c.name);
    ExpectEquivalent(c.bytes, nullptr);
  }
}

TEST(CompareRealWorld, TablesInAnotherOrderWithOtherAgesAreEquivalent) {
  FOR_EACH_CAPTURE(c) {
    SCOPED_TRACE(c.name);
    const LineList lines = SplitLines(c.bytes);
    const std::string moved = Join(AgesRewritten(TablesReordered(lines)));
    ASSERT_EQ(TableBodies(SplitLines(moved)).size(), TableBodies(lines).size());
    ExpectEquivalent(c.bytes, &moved);
  }
}

// In every table whose routes all carry their own mask, the route blocks go
// highest destination first (blocks of one destination keep their order).
TEST(CompareRealWorld, ShuffledRouteBlocksChangeNothing) {
  int shuffled = 0;
  FOR_EACH_CAPTURE(c) {
    SCOPED_TRACE(c.name);
    const LineList lines = SplitLines(c.bytes);
    LineList out;
    size_t copied = 0;
    for (const auto& [begin, end] : TableBodies(lines)) {
      const std::vector<Block> blocks = Blocks(lines, begin, end);
      if (blocks.size() < 2 || !std::all_of(blocks.begin(), blocks.end(), [](const Block& b) { return b.ownMask; })) continue;
      std::vector<Block> order = blocks;
      std::stable_sort(order.begin(), order.end(), [](const Block& a, const Block& b) { return a.destination > b.destination; });
      for (size_t k = 0; k < blocks.size(); ++k) {
        out.insert(out.end(), lines.begin() + At(copied), lines.begin() + At(blocks[k].begin));
        out.insert(out.end(), lines.begin() + At(order[k].begin), lines.begin() + At(order[k].end));
        copied = blocks[k].end;
      }
    }
    if (out.empty()) continue;
    out.insert(out.end(), lines.begin() + At(copied), lines.end());
    ++shuffled;
    const std::string shuffledLog = Join(out);
    ExpectEquivalent(c.bytes, &shuffledLog);
  }
  EXPECT_GT(shuffled, 0) << "no capture has a table whose routes all carry their own mask";
}

// The first route block with its own mask removed.
TEST(CompareRealWorld, RemovedRouteBlockIsOneDifference) {
  int removed = 0;
  FOR_EACH_CAPTURE(c) {
    SCOPED_TRACE(c.name);
    LineList lines = SplitLines(c.bytes);
    std::vector<Block> own;
    for (const auto& [begin, end] : TableBodies(lines)) {
      for (const Block& b : Blocks(lines, begin, end)) {
        if (b.ownMask && own.empty()) own.push_back(b);
      }
    }
    if (own.empty()) continue;
    lines.erase(lines.begin() + At(own[0].begin), lines.begin() + At(own[0].end));
    ++removed;
    std::string body;
    const std::string shorter = Join(lines);
    EXPECT_EQ(CompareFiles(c.bytes, &shorter, body), 1);
    EXPECT_NE(body.find("減< "), std::string::npos) << body;
    EXPECT_TRUE(body.ends_with(CrLf({"", Differences(1)}))) << body;
  }
  EXPECT_GT(removed, 0);
}

}  // namespace
}  // namespace tess::testing
