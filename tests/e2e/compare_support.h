// Helpers of the end-to-end comparison tests: logs written into a fresh
// folder, compared by the built binary as `tessaline [options] before.log
// after.log`, with a settings folder of their own.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "test_support.h"

namespace tess::testing {

inline constexpr const char* kGateway = "Gateway of last resort is not set";

/// Lines joined with LF, each line ended.
inline std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  return text;
}

/// A global table: its "Gateway of last resort " line, then `routes`.
inline std::string GlobalTable(const std::vector<std::string>& routes) {
  std::vector<std::string> lines = {kGateway};
  lines.insert(lines.end(), routes.begin(), routes.end());
  return Lines(lines);
}

/// A VRF table: "Routing Table: NAME", the gateway line, then `routes`.
inline std::string VrfTable(const std::string& name, const std::vector<std::string>& routes) {
  return "Routing Table: " + name + "\n" + GlobalTable(routes);
}

/// The report expected for before.log and after.log: the header, then `body`.
inline std::string Report(const std::vector<std::string>& body) {
  std::vector<std::string> lines = {"前: before.log", "後: after.log", ""};
  lines.insert(lines.end(), body.begin(), body.end());
  return CrLf(lines);
}

/// The verdict line for `n` differences.
inline std::string Differences(int n) { return " " + std::to_string(n) + " の違いがあります"; }

/// Writes the settings file of `configHome` (a "[Tessaline]" section with
/// `keys`, one "key=value" a line).
inline void WriteSettings(const std::string& configHome, const std::vector<std::string>& keys) {
  std::vector<std::string> lines = {"[Tessaline]"};
  lines.insert(lines.end(), keys.begin(), keys.end());
  std::filesystem::create_directories(configHome + "/tessaline");
  WriteFile(configHome + "/tessaline/Tessaline.ini", Lines(lines));
}

inline std::string ReadSettings(const std::string& configHome) {
  return ReadFile(configHome + "/tessaline/Tessaline.ini");
}

struct Comparison {
  int exitCode = -1;
  std::string report;  // after.dif
  std::string err;
  std::vector<std::string> files;  // the logs' folder afterwards
};

/// Compares `before` with `after`; `settings` (key=value lines) are stored
/// first when given.
inline Comparison CompareLogs(const std::string& before, const std::string& after,
                              const std::vector<std::string>& options = {},
                              const std::vector<std::string>& settings = {}) {
  ScratchDir work, config;
  if (!settings.empty()) WriteSettings(config.path(), settings);
  WriteFile(work.File("before.log"), before);
  WriteFile(work.File("after.log"), after);
  std::vector<std::string> args = options;
  args.push_back("before.log");
  args.push_back("after.log");
  const RunResult r = RunTessaline(args, work.path(), config.path());
  Comparison c;
  c.exitCode = r.exitCode;
  c.err = r.err;
  c.files = work.List();
  if (Exists(work.File("after.dif"))) c.report = ReadFile(work.File("after.dif"));
  return c;
}

/// One comparison and the report it must give.
struct ReportCase {
  const char* name;
  std::string before, after;
  std::vector<std::string> body;  // the report after its header
  std::vector<std::string> options = {};
};
inline void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }
inline std::string CaseName(const ::testing::TestParamInfo<ReportCase>& info) { return info.param.name; }

/// Compares the case's logs and checks the report and the exit status (0 for
/// "同等です", 1 for differences).
inline void ExpectReport(const ReportCase& c) {
  const Comparison r = CompareLogs(c.before, c.after, c.options);
  EXPECT_EQ(r.report, Report(c.body)) << r.err;
  EXPECT_EQ(r.exitCode, c.body.back() == "同等です" ? 0 : 1);
}

}  // namespace tess::testing
