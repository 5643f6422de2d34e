// Reading a section's lines back in a shuffled order, as a sort by next hop
// does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <unistd.h>

#include "perf_support.h"
#include "sorter/sorted_line_reader.h"

namespace tess {
namespace {

void ReadShuffled(benchmark::State& state) {
  const std::vector<std::string> lines = bench::RouteLines(static_cast<size_t>(state.range(0)));
  char path[] = "/tmp/tessaline-perf-XXXXXX";
  const int fd = ::mkstemp(path);
  ::close(fd);
  SortRecords r;
  r.Resize(lines.size());
  {
    std::ofstream out(path, std::ios::binary);
    int64_t position = 1;
    for (size_t i = 1; i <= lines.size(); ++i) {
      out << lines[i - 1] << "\r\n";
      r.LinePosition[i] = position;
      r.LineLength[i] = static_cast<uint32_t>(lines[i - 1].size() + 2);
      position += r.LineLength[i];
    }
  }
  std::vector<size_t> order(lines.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i + 1;
  std::shuffle(order.begin(), order.end(), std::mt19937(7));
  SortRecords shuffled = r;
  for (size_t i = 0; i < order.size(); ++i) {
    shuffled.LinePosition[i + 1] = r.LinePosition[order[i]];
    shuffled.LineLength[i + 1] = r.LineLength[order[i]];
  }
  for (auto _ : state) {
    ChunkedFile file;
    if (!file.Open(path).ok()) state.SkipWithError("cannot open the file");
    size_t bytes = 0;
    const Status st = ReadLinesInSortedOrder(file, shuffled, [&](std::string_view line) { bytes += line.size(); });
    if (!st.ok()) state.SkipWithError(st.Message().c_str());
    benchmark::DoNotOptimize(bytes);
  }
  std::remove(path);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(ReadShuffled)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tess

BENCHMARK_MAIN();
