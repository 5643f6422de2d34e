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

/// A global table (its gateway line, then `routes`), and a VRF table.
inline std::string GlobalTable(const std::vector<std::string>& routes) { return kGateway + ("\n" + Lines(routes)); }
inline std::string VrfTable(const std::string& name, const std::vector<std::string>& routes) {
  return "Routing Table: " + name + "\n" + GlobalTable(routes);
}

/// The report expected for before.log and after.log: the header, then `body`.
inline std::string Report(std::vector<std::string> body) {
  body.insert(body.begin(), {"前: before.log", "後: after.log", ""});
  return CrLf(body);
}

/// The verdict line for `n` differences.
inline std::string Differences(int n) { return " " + std::to_string(n) + " の違いがあります"; }

/// The settings file of `configHome`: a "[Tessaline]" section with `keys`.
inline void WriteSettings(const std::string& configHome, const std::vector<std::string>& keys) {
  std::filesystem::create_directories(configHome + "/tessaline");
  WriteFile(configHome + "/tessaline/Tessaline.ini", "[Tessaline]\n" + Lines(keys));
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
  args.insert(args.end(), {"before.log", "after.log"});
  const RunResult r = RunTessaline(args, work.path(), config.path());
  return {r.exitCode, Exists(work.File("after.dif")) ? ReadFile(work.File("after.dif")) : "", r.err, work.List()};
}

/// One comparison and the report it must give.
struct ReportCase {
  const char* name;
  std::string before, after;
  std::vector<std::string> body;  // the report after its header
  std::vector<std::string> options = {};
  int exitCode = -1;  // -1: 0 for "同等です", 1 for differences
};
inline void PrintTo(const ReportCase& c, std::ostream* os) { *os << c.name; }
inline std::string CaseName(const ::testing::TestParamInfo<ReportCase>& info) { return info.param.name; }

/// Compares the case's logs and checks the report and the exit status (0 for
/// "同等です", 1 for differences, unless the case says otherwise).
inline void ExpectReport(const ReportCase& c) {
  const Comparison r = CompareLogs(c.before, c.after, c.options);
  EXPECT_EQ(r.report, Report(c.body)) << r.err;
  EXPECT_EQ(r.exitCode, c.exitCode >= 0 ? c.exitCode : c.body.back() == "同等です" ? 0 : 1);
}

}  // namespace tess::testing
