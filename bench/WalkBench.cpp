// Walk speed over the in-memory file system: files per second through the walk, the mask, the
// content decision and the records, with no system in the way.
#include "SampleText.h"
#include "search/SearchEngine.h"
#include "support/MemoryFileSystem.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int Folders = 100, FilesPerFolder = 100;

// Folders of files with source-tree names, each holding a short text without the needle.
TMemoryFileSystem& Tree() {
  static TMemoryFileSystem tree; // filled in place: its counters cannot be moved
  [[maybe_unused]] static const bool filled = [] {
    const std::string text = SampleText(2048);
    const char* extensions[] = {".cpp", ".h", ".txt", ".md"};
    for (int d = 0; d < Folders; ++d)
      for (int f = 0; f < FilesPerFolder; ++f)
        tree.AddFile("C:\\Tree\\Folder" + std::to_string(d) + "\\file" + std::to_string(f) +
                         extensions[f % 4],
                     text);
    return true;
  }();
  return tree;
}

// threads 0: the engine's default.
void WalkTree(benchmark::State& state, const char* mask, const char* text, unsigned threads = 0) {
  TSearchEngine engine(Tree(), TFormatSettings::FromRegional(TRegionalSettings{}),
                       TCodePage::Windows1252());
  if (threads) engine.SetThreads(threads);
  for (auto _ : state) {
    engine.Search({"C:\\Tree", mask, text, true});
    benchmark::DoNotOptimize(engine.FoundFiles().size());
  }
  state.counters["found"] = static_cast<double>(engine.FoundFiles().size());
  state.SetItemsProcessed(state.iterations() * Folders * FilesPerFolder);
}

} // namespace

// Every file found with its record; every file read and none found; a quarter of the names.
BENCHMARK_CAPTURE(WalkTree, all_records, "*", "")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkTree, all_scanned, "*", "lemonade")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkTree, all_scanned_j1, "*", "lemonade", 1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(WalkTree, h_only, "*.h", "lemonade")->Unit(benchmark::kMillisecond);
