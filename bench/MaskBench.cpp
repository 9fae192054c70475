// Names per second through the file-name mask: the shortcut shapes against the general
// matcher, and a compiled mask kept for the search against one compiled per name.
#include "search/Masks.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>
#include <vector>

namespace {

// File names of a source tree: mixed case, one or two dots, a few without any.
const std::vector<std::string>& Names() {
  static const std::vector<std::string> names = [] {
    const char* stems[] = {"main",       "Readme",      "build_log", "ChangeLog", "a",
                           "core-utils", "Report 2024", "index",     "bitmap",    "TODO"};
    const char* extensions[] = {".cpp", ".h", ".txt", ".TXT", ".tar.gz", ".md", "", ".bak"};
    std::mt19937 random(1);
    std::vector<std::string> result;
    for (int i = 0; i < 4096; ++i)
      result.push_back(std::string(stems[random() % 10]) + std::to_string(random() % 100) +
                       extensions[random() % 8]);
    return result;
  }();
  return names;
}

const char* const TenStars = "*a*e*i*o*u*a*e*i*o*u";

void Finish(benchmark::State& state, size_t matched) {
  benchmark::DoNotOptimize(matched);
  state.SetItemsProcessed(state.iterations() * Names().size());
}

using TMatcher = bool (TMask::*)(const std::string&) const;

void MatchBench(benchmark::State& state, const char* mask, TMatcher match) {
  const TMask compiled(mask);
  size_t matched = 0;
  for (auto _ : state)
    for (const std::string& name : Names())
      matched += (compiled.*match)(name);
  Finish(state, matched);
}

void CompiledPerNameBench(benchmark::State& state, const char* mask) {
  size_t matched = 0;
  for (auto _ : state)
    for (const std::string& name : Names())
      matched += TMask(mask).MatchName(name);
  Finish(state, matched);
}

} // namespace

BENCHMARK_CAPTURE(MatchBench, star_dot_star, "*.*", &TMask::MatchName);
BENCHMARK_CAPTURE(MatchBench, star_txt, "*.txt", &TMask::MatchName);
BENCHMARK_CAPTURE(MatchBench, set_star_h, "[a-c]*.h", &TMask::MatchName);
BENCHMARK_CAPTURE(MatchBench, ten_stars, TenStars, &TMask::MatchName);
BENCHMARK_CAPTURE(MatchBench, general_star_dot_star, "*.*", &TMask::MatchGeneral);
BENCHMARK_CAPTURE(MatchBench, general_star_txt, "*.txt", &TMask::MatchGeneral);
BENCHMARK_CAPTURE(CompiledPerNameBench, star_txt, "*.txt");

BENCHMARK_MAIN();
