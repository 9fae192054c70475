// Sorting a million found files by each column, as a heading click does.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <random>

#include "base/SysUtils.h"
#include "search/ResultOrder.h"

namespace {
class TNoGrid : public TResultGrid {
public:
  int Cols() const override { return 4; }
  int SelectedRow() const override { return 0; }
  void SetSelectedRow(int) override {}
  void ShowCell(int, int) override {}
  void ReloadCells() override {}
  void SetSortMark(int, TSortMark) override {}
};

// Names and folders as a deep tree gives them: long shared folder prefixes, mixed case.
TFoundFiles MillionFiles() {
  std::mt19937 generator(1);
  auto random = [&generator] { return static_cast<unsigned>(generator()); };
  TFoundFiles files;
  for (int k = 0; k < 1000000; ++k) {
    auto info = std::make_unique<TInfoFic>();
    info->Index = k + 1;
    info->Name =
        Format("%s%05u.%s", k % 3 ? "Rapport_" : "note", random() % 100000, k % 2 ? "txt" : "Doc");
    info->Folder =
        Format("C:\\Users\\Projets\\Dossier%03u\\Sous%02u", random() % 1000, random() % 20);
    info->Size = static_cast<int32_t>(random() % 5000000);
    info->Time = static_cast<int32_t>((20 + random() % 40) << 25 | (1 + random() % 12) << 21 |
                                      (1 + random() % 28) << 16 | random() % 0xBF7F);
    files.push_back(std::move(info));
  }
  return files;
}

void SortMillion(benchmark::State& state) {
  static TFoundFiles files = MillionFiles();
  static const TCompareFunc Compares[] = {CompareByName, CompareByFolder, CompareBySize,
                                          CompareByTime};
  const int column = static_cast<int>(state.range(0));
  TNoGrid grid;
  std::mt19937 random(2);
  for (auto _ : state) {
    state.PauseTiming();
    std::shuffle(files.begin(), files.end(), random);
    state.ResumeTiming();
    SortFoundFiles(files, grid, column, Compares[column - 1]);
  }
  state.SetLabel(column == 1   ? "Fichier"
                 : column == 2 ? "Dossier"
                 : column == 3 ? "Taille"
                               : "Date Heure");
}
} // namespace

BENCHMARK(SortMillion)->DenseRange(1, 4)->Unit(benchmark::kMillisecond);
