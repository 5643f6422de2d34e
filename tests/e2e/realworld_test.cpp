// Every published capture in tests/captures (other/ included), sorted in a
// folder of its own: no failure, no temporary file left, the input intact,
// and one result line per log line less the continuation lines joined to
// their routes. Also: the captures there are exactly those that its
// SOURCES.md accounts for.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

// Lines as a reader of logs sees them: ended by LF (CRs before it dropped),
// or by CR in a file without any LF.
std::vector<std::string> LogLines(const std::string& bytes) {
  const char end = bytes.find('\n') != std::string::npos ? '\n' : '\r';
  std::vector<std::string> lines;
  for (size_t from = 0; from < bytes.size();) {
    size_t to = std::min(bytes.find(end, from), bytes.size());
    std::string line = bytes.substr(from, to - from);
    while (end == '\n' && !line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
    from = to + 1;
  }
  return lines;
}

// Continuation lines: "[" first after spaces, right after a route start line
// that ends in a space or right after its destination (and mask).
size_t JoinedLines(const std::vector<std::string>& lines) {
  static const std::string quad = R"(\d{1,3}\.\d{1,3}\.\d{1,3}\.\d{1,3})";
  static const std::regex routeStart(R"(^[^ *][ *].. .*)");
  static const std::regex endsAtDestination("^.{5}[ *]*" + quad + "(/\\d{1,2}| " + quad +
                                            "| 0x[0-9A-Fa-f]{8})?$");
  size_t joined = 0;
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& prev = lines[i - 1];
    const size_t first = lines[i].find_first_not_of(' ');
    if (first == std::string::npos || lines[i][first] != '[') continue;
    if (!std::regex_match(prev, routeStart)) continue;
    if (prev.back() == ' ' || std::regex_match(prev, endsAtDestination)) ++joined;
  }
  return joined;
}

// The rows of SOURCES.md's "## Files" table: file name to licence (the
// first and fifth columns).
std::map<std::string, std::string> CapturesListed(const std::string& sources) {
  std::map<std::string, std::string> rows;
  std::istringstream in(sources);
  bool inFiles = false;
  for (std::string line; std::getline(in, line);) {
    if (line.starts_with("## ")) inFiles = line == "## Files";
    if (!inFiles || !line.starts_with("| ") || line.starts_with("| File |")) continue;
    std::vector<std::string> cells;
    for (size_t from = 2, to; (to = line.find(" | ", from)) != std::string::npos; from = to + 3) {
      cells.push_back(line.substr(from, to - from));
    }
    rows[cells.at(0)] = cells.at(4);
  }
  return rows;
}

TEST(Captures, EveryLogHereIsListedInSourcesAndEveryListedOneIsHere) {
  const std::string root = CapturesDir();
  ASSERT_TRUE(Exists(root + "/SOURCES.md")) << root;
  const std::map<std::string, std::string> listed = CapturesListed(ReadFile(root + "/SOURCES.md"));
  EXPECT_EQ(listed.size(), 55u);  // the captures in use when this list was made
  std::set<std::string> names;
  for (const auto& [name, licence] : listed) {
    names.insert(name);
    EXPECT_EQ(licence, "Apache-2.0") << name;
  }
  const std::vector<std::string> logs = CaptureLogs();
  const std::set<std::string> here(logs.begin(), logs.end());
  std::vector<std::string> missing, unlisted;
  std::set_difference(names.begin(), names.end(), here.begin(), here.end(), std::back_inserter(missing));
  std::set_difference(here.begin(), here.end(), names.begin(), names.end(), std::back_inserter(unlisted));
  EXPECT_TRUE(missing.empty()) << "listed in SOURCES.md but not in " << root << ": " << ::testing::PrintToString(missing);
  EXPECT_TRUE(unlisted.empty()) << "in " << root << " but not listed in SOURCES.md: " << ::testing::PrintToString(unlisted);
}

TEST(RealWorld, EveryCaptureSortsToOneLinePerLogLineLessJoinedOnes) {
  const std::string root = CapturesDir();
  std::vector<fs::path> logs;
  for (const fs::path& folder : {fs::path(root), fs::path(root) / "other"}) {
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (entry.is_regular_file() && entry.path().extension() == ".log") logs.push_back(entry.path());
    }
  }
  ASSERT_FALSE(logs.empty());
  const std::vector<std::vector<std::string>> variants = {
      {},
      {"--order", "hop", "--filter", "time,interface"}, {"--order", "2", "--filter", "cost,protocol"},
      {"--order", "3", "--filter", "dest"},             {"--order", "4", "--filter", "dest-mask"},
      {"--order", "proto-hop", "--filter", "1,2,3,4"},
  };
  size_t totalJoined = 0;
  for (const fs::path& log : logs) {
    const std::string name = log.filename().string(), result = log.stem().string() + ".srt";
    const std::string bytes = ReadFile(log.string());
    const std::vector<std::string> lines = LogLines(bytes);
    const size_t joined = JoinedLines(lines);
    totalJoined += joined;
    for (const auto& options : variants) {
      SCOPED_TRACE(name + (options.empty() ? "" : " " + options[1] + " " + options[3]));
      ScratchDir dir, config;
      WriteFile(dir.File(name), bytes);
      std::vector<std::string> args = options;
      args.push_back(name);
      const RunResult r = RunTessaline(args, dir.path(), config.path());
      EXPECT_EQ(r.exitCode, 0) << r.err;
      EXPECT_EQ(dir.List(), (std::vector<std::string>{name, result}));
      EXPECT_EQ(ReadFile(dir.File(name)), bytes);
      const std::string sorted = ReadFile(dir.File(result));
      EXPECT_EQ(static_cast<size_t>(std::count(sorted.begin(), sorted.end(), '\n')), lines.size() - joined);
    }
  }
  EXPECT_GT(totalJoined, 20u);  // the captures hold a few dozen wrapped routes
}

}  // namespace
}  // namespace tess::testing
