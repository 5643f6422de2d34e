// The fast sort of a section's records against the bitwise passes it
// stands in for, on the keys of a shuffled full table.
#include <benchmark/benchmark.h>

#include "perf_support.h"
#include "sorter/key_order_sort.h"
#include "sorter/make_sort_keys.h"
#include "sorter/ios_route_line.h"
#include "sorter/radix_sort.h"

namespace tess {
namespace {

// The lines of a shuffled full table with their keys under `order`, both
// forms.
std::vector<LineRecord> Lines(size_t count, SortOrder order) {
  const std::vector<std::string> texts = bench::RouteLines(count);
  std::vector<LineRecord> lines;
  IosRouteLineStream stream;
  int64_t position = 1;
  for (size_t i = 1; i <= texts.size(); ++i) {
    const RouteFields fields = stream.Parse(texts[i - 1]);
    const int64_t length = static_cast<int64_t>(texts[i - 1].size()) + 2;
    lines.push_back(LineRecord::Make(BuildKeyWords(order, fields, static_cast<int64_t>(i)),
                                     position, length));
    position += length;
  }
  return lines;
}

void FastSort(benchmark::State& state) {
  const std::vector<LineRecord> input = Lines(static_cast<size_t>(state.range(0)), SortOrder::ProtocolThenNextHop);
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<LineRecord> lines = input;
    state.ResumeTiming();
    KeyBitsSeen seen;
    for (const LineRecord& line : lines) seen.Add(line);
    SortInKeyOrder(lines, seen);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(FastSort)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

void BitwisePasses(benchmark::State& state) {
  const std::vector<LineRecord> lines = Lines(static_cast<size_t>(state.range(0)), SortOrder::ProtocolThenNextHop);
  SortRecords input;
  input.Resize(lines.size());
  for (size_t i = 0; i < lines.size(); ++i) {
    input.SortKey1[i] = lines[i].Word(0);
    input.SortKey2[i] = lines[i].Word(1);
    input.SortKey3[i] = lines[i].Word(2);
    input.SortKey4[i] = lines[i].Word(3);
    input.LinePosition[i] = lines[i].Position();
  }
  for (auto _ : state) {
    state.PauseTiming();
    SortRecords r = input;
    state.ResumeTiming();
    RadixSort(r);
    benchmark::DoNotOptimize(r.LinePosition.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BitwisePasses)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
