// Every published capture in ../shared/realworld (other/ included), sorted in
// a folder of its own: no failure, no temporary file left, the input intact,
// and one result line per log line less the continuation lines joined to
// their routes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
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

TEST(RealWorld, EveryCaptureSortsToOneLinePerLogLineLessJoinedOnes) {
  const std::string root = RealWorldDir();
  if (root.empty()) GTEST_SKIP() << "../shared/realworld is not here: real-world captures skipped";
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
