// Content scan speed: bytes per second of the block decision over a large text in memory.
#include "SampleText.h"
#include "search/TextScan.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>

namespace {

constexpr std::size_t TextSize = 64 << 20;

const std::string& Text(std::string_view needle, std::size_t interval) {
  static std::string text;
  text = SampleText(TextSize);
  if (interval) PlantNeedle(text, needle, interval);
  return text;
}

// Every occurrence, each search starting after the last match: the cost of candidates and
// matches along the whole text.
void FindAll(benchmark::State& state, const char* needle, std::size_t interval, bool wide) {
  const std::string& text = Text(needle, interval);
  if (wide && !TTextScan::WideSupported()) return state.SkipWithError("no AVX2");
  const TTextScan scan(needle, TCodePage::Windows1252(), TTextScan::DefaultBlockSize, wide);
  std::size_t found = 0;
  for (auto _ : state) {
    found = 0;
    for (std::string_view rest = text;;) {
      const std::size_t at = scan.Find(rest);
      if (at == std::string::npos) break;
      ++found;
      rest.remove_prefix(at + 1);
    }
    benchmark::DoNotOptimize(found);
  }
  state.counters["found"] = static_cast<double>(found);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

// The decision through the block reader, the needle absent: reading copies each block from
// memory into the scan's buffer, as a file read would.
void BlocksAbsent(benchmark::State& state) {
  const std::string& text = Text("", 0);
  TTextScan scan("lemonade", TCodePage::Windows1252(), static_cast<std::size_t>(state.range(0)));
  for (auto _ : state) {
    std::size_t served = 0;
    const bool found = scan.Contains([&](char* buffer, std::size_t size) {
      const std::size_t count = std::min(size, text.size() - served);
      std::memcpy(buffer, text.data() + served, count);
      served += count;
      return count;
    });
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

} // namespace

BENCHMARK_CAPTURE(FindAll, absent, "lemonade", 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAll, absent_16, "lemonade", 0, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAll, rare, "trampoline", 1 << 20, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAll, every_line, "the", 1, true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(FindAll, one_byte, "\xE9", 0, true)->Unit(benchmark::kMillisecond);
BENCHMARK(BlocksAbsent)->Arg(64 << 10)->Arg(256 << 10)->Arg(1 << 20)->Unit(benchmark::kMillisecond);
