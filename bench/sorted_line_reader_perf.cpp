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
  std::vector<LinePlace> shuffled;
  {
    std::ofstream out(path, std::ios::binary);
    int64_t position = 1;
    for (const std::string& line : lines) {
      out << line << "\r\n";
      const int64_t length = static_cast<int64_t>(line.size()) + 2;
      shuffled.push_back(LinePlace::Of(position, length));
      position += length;
    }
  }
  std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(7));
  for (auto _ : state) {
    SortedLineReader file;
    if (!file.Open(path).ok()) state.SkipWithError("cannot open the file");
    size_t bytes = 0;
    const Status st = file.Read(shuffled, [&](std::string_view line) { bytes += line.size(); });
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
