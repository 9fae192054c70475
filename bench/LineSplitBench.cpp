// Line splitting speed: bytes per second of the one rule that cuts a file into lines, which
// the viewer and the line-by-line decision use.
#include "SampleText.h"
#include "search/LineBuffer.h"

#include <benchmark/benchmark.h>

namespace {

void SplitSample(benchmark::State& state) {
  const std::string text = SampleText(static_cast<std::size_t>(state.range(0)));
  std::size_t lines = 0;
  for (auto _ : state) {
    lines = SplitLines(text).size();
    benchmark::DoNotOptimize(lines);
  }
  state.counters["lines"] = static_cast<double>(lines);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK(SplitSample)->Arg(64 << 10)->Arg(16 << 20)->Unit(benchmark::kMillisecond);
