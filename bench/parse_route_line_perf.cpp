// How fast route lines are parsed and turned into sort keys.
#include <benchmark/benchmark.h>

#include "perf_support.h"
#include "sorter/make_sort_keys.h"
#include "sorter/parse_route_line.h"

namespace tess {
namespace {

void ParseAndBuildKeys(benchmark::State& state) {
  const std::vector<std::string> lines = bench::RouteLines(100'000);
  for (auto _ : state) {
    LineStream stream;
    int lineState = kStreamStart;
    RouteFields fields;
    int64_t line = 0;
    for (const std::string& text : lines) {
      ParseRouteLine(text, fields, lineState, stream);
      benchmark::DoNotOptimize(BuildKeyWords(SortOrder::ProtocolThenNextHop, fields, lineState, ++line));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(ParseAndBuildKeys)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
