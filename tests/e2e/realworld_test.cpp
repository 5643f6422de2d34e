// Every published capture in ../shared/realworld (other/ included), sorted in
// a folder of its own: no failure, no temporary file left, and one result
// line per log line less the continuation lines joined to their routes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <regex>
#include <sstream>

#include "app/batch.h"
#include "test_support.h"

namespace tess::testing {
namespace {

namespace fs = std::filesystem;

std::vector<fs::path> Captures() {
  std::vector<fs::path> logs;
  const std::string root = RealWorldDir();
  if (root.empty()) return logs;
  for (const fs::path& dir : {fs::path(root), fs::path(root) / "other"}) {
    for (const auto& entry : fs::directory_iterator(dir)) {
      if (entry.is_regular_file() && entry.path().extension() == ".log") logs.push_back(entry.path());
    }
  }
  std::sort(logs.begin(), logs.end());
  return logs;
}

// Lines as a reader of logs sees them: ended by LF (CRs before it dropped),
// or by CR in a file without any LF.
std::vector<std::string> LogLines(const std::string& bytes) {
  const char end = bytes.find('\n') != std::string::npos ? '\n' : '\r';
  std::vector<std::string> lines;
  size_t from = 0;
  while (from < bytes.size()) {
    size_t to = bytes.find(end, from);
    if (to == std::string::npos) to = bytes.size();
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

size_t CountLines(const std::string& result) { return static_cast<size_t>(std::count(result.begin(), result.end(), '\n')); }

class RealWorld : public ::testing::Test {
 protected:
  void SetUp() override {
    if (RealWorldDir().empty()) GTEST_SKIP() << "../shared/realworld is not here: real-world captures skipped";
  }
  // Sorts a copy of `log` with `options`, through the built binary or, for
  // the many variant runs, through the same batch entry in this process.
  // Returns the result's line count.
  size_t Sort(const fs::path& log, const std::vector<std::string>& options, bool binary = true) {
    ScratchDir dir, config;
    const std::string name = log.filename().string();
    const std::string result = log.stem().string() + ".srt";
    WriteFile(dir.File(name), ReadFile(log.string()));
    std::vector<std::string> args = options;
    RunResult r;
    if (binary) {
      args.push_back(name);
      r = RunTessaline(args, dir.path(), config.path());
    } else {
      args.push_back(dir.File(name));
      std::ostringstream out, err;
      r.exitCode = RunBatch(args, config.File("Tessaline.ini"), out, err);
      r.err = err.str();
    }
    EXPECT_EQ(r.exitCode, 0) << name << ": " << r.err;
    EXPECT_EQ(dir.List(), (std::vector<std::string>{name, result})) << name;
    EXPECT_EQ(ReadFile(dir.File(name)), ReadFile(log.string())) << name;
    return CountLines(ReadFile(dir.File(result)));
  }
};

// Result lines expected of a capture: its lines less the joined continuations.
size_t ExpectedLines(const fs::path& log) {
  const std::vector<std::string> lines = LogLines(ReadFile(log.string()));
  return lines.size() - JoinedLines(lines);
}

TEST_F(RealWorld, EveryCaptureSortsToOneLinePerRouteLine) {
  const std::vector<fs::path> logs = Captures();
  ASSERT_FALSE(logs.empty());
  size_t totalJoined = 0;
  for (const fs::path& log : logs) {
    totalJoined += LogLines(ReadFile(log.string())).size() - ExpectedLines(log);
    EXPECT_EQ(Sort(log, {}), ExpectedLines(log)) << log.filename();
  }
  EXPECT_GT(totalJoined, 20u);  // the captures hold a few dozen wrapped routes
}

TEST_F(RealWorld, EveryOrderAndFilterKeepsTheLineCount) {
  const std::vector<std::vector<std::string>> variants = {
      {"--order", "hop", "--filter", "time,interface"}, {"--order", "2", "--filter", "cost,protocol"},
      {"--order", "3", "--filter", "dest"},             {"--order", "4", "--filter", "dest-mask"},
      {"--order", "proto-hop", "--filter", "1,2,3,4"},
  };
  for (const fs::path& log : Captures()) {
    for (const auto& options : variants) {
      EXPECT_EQ(Sort(log, options, false), ExpectedLines(log)) << log.filename() << " " << options[1] << " " << options[3];
    }
  }
}

}  // namespace
}  // namespace tess::testing
