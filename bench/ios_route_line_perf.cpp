// How fast route lines are parsed and turned into sort keys.
#include <benchmark/benchmark.h>

#include "perf_support.h"
#include "sorter/make_sort_keys.h"
#include "sorter/ios_route_line.h"

namespace tess {
namespace {

void ParseAndBuildKeys(benchmark::State& state) {
  const std::vector<std::string> lines = bench::RouteLines(100'000);
  for (auto _ : state) {
    IosRouteLineStream stream;
    int64_t line = 0;
    for (const std::string& text : lines) {
      benchmark::DoNotOptimize(BuildKeyWords(SortOrder::ProtocolThenNextHop, stream.Parse(text), ++line));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(lines.size()));
}
BENCHMARK(ParseAndBuildKeys)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
