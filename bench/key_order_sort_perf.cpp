// The fast sort of a section's records against the bitwise passes it
// stands in for, on the keys of a shuffled full table.
#include <benchmark/benchmark.h>

#include "perf_support.h"
#include "sorter/key_order_sort.h"
#include "sorter/make_sort_keys.h"
#include "sorter/parse_route_line.h"
#include "sorter/radix_sort.h"

namespace tess {
namespace {

SortRecords Records(size_t count, SortOrder order) {
  const std::vector<std::string> lines = bench::RouteLines(count);
  SortRecords r;
  r.Resize(lines.size());
  LineStream stream;
  int lineState = kStreamStart;
  RouteFields fields;
  for (size_t i = 1; i <= lines.size(); ++i) {
    ParseRouteLine(lines[i - 1], fields, lineState, stream);
    const KeyWords w = BuildKeyWords(order, fields, lineState, static_cast<int64_t>(i));
    r.SortKey1[i] = w[0];
    r.SortKey2[i] = w[1];
    r.SortKey3[i] = w[2];
    r.SortKey4[i] = w[3];
    r.LinePosition[i] = static_cast<int64_t>(i);
  }
  return r;
}

template <void (*Sort)(SortRecords&)>
void SortKeys(benchmark::State& state) {
  const SortRecords input = Records(static_cast<size_t>(state.range(0)), SortOrder::ProtocolThenNextHop);
  for (auto _ : state) {
    state.PauseTiming();
    SortRecords r = input;
    state.ResumeTiming();
    Sort(r);
    benchmark::DoNotOptimize(r.LinePosition.data());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(SortKeys<SortInKeyOrder>)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(SortKeys<RadixSort>)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
