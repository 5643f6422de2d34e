// Reading back a report of a million lines, as the window's viewer opens one:
// a VRF table of 1M routes that only log 1 has (one difference of 1M
// lines), and 1M routes of which every third changed its next hop (333k
// differences of three lines each).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

#include "app/compare_logs.h"
#include "app/output_names.h"
#include "compare/report_reader.h"
#include "perf_support.h"

namespace tess {
namespace {

constexpr size_t kRoutes = 1'000'000;
constexpr const char* kGateway = "Gateway of last resort is not set\n";

void WriteLog(const std::string& path, const std::string& head, const std::vector<std::string>& routes,
              bool changeEveryThird) {
  std::ofstream out(path, std::ios::binary);
  out << head << kGateway;
  for (size_t k = 0; k < routes.size(); ++k) {
    std::string line = routes[k];
    if (changeEveryThird && k % 3 == 0) line.replace(line.find(" via ") + 5, 8, "198.51.100.");
    out << line << '\n';
  }
}

// Writes the report of the case into a fresh folder and returns its path.
std::string MakeReport(bool wholeTable) {
  char pattern[] = "/tmp/tessaline-perf-XXXXXX";
  const std::string dir = ::mkdtemp(pattern);
  const std::vector<std::string> routes = bench::RouteLines(kRoutes);
  if (wholeTable) {
    WriteLog(dir + "/before.log", "Routing Table: BIG\n", routes, false);
    WriteLog(dir + "/after.log", "", {"S    10.0.0.0/8 [1/0] via 192.0.2.1"}, false);
  } else {
    WriteLog(dir + "/before.log", "", routes, false);
    WriteLog(dir + "/after.log", "", routes, true);
  }
  CompareRequest request;
  request.Before = FilesOfLog(dir + "/before.log", 1, ".srt");
  request.After = FilesOfLog(dir + "/after.log", 2, ".srt");
  request.ReportPath = dir + "/after.dif";
  request.KeepSortResults = false;
  const CompareOutcome outcome = CompareLogs(request);
  if (!outcome.status.ok()) std::fprintf(stderr, "%s\n", outcome.status.Message().c_str());
  std::remove((dir + "/before.log").c_str());
  std::remove((dir + "/after.log").c_str());
  return request.ReportPath;
}

void ReadReportBack(benchmark::State& state) {
  const std::string path = MakeReport(state.range(0) == 0);
  int64_t lines = 0;
  for (auto _ : state) {
    ReadReport report;
    const Status st = ReadComparisonReport(path, report);
    if (!st.ok()) state.SkipWithError(st.Message().c_str());
    lines = 0;
    for (const RecordedDifference& d : report.Record.Differences) {
      lines += static_cast<int64_t>(d.Before.size() + d.After.size());
    }
    state.counters["differences"] = static_cast<double>(report.DifferenceCount);
    benchmark::DoNotOptimize(report);
  }
  state.counters["route lines"] = static_cast<double>(lines);
  std::remove(path.c_str());
  std::remove(path.substr(0, path.rfind('/')).c_str());
}
BENCHMARK(ReadReportBack)->ArgName("changed")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
