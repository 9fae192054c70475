#include "search/ResultOrder.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include "platform/CodePage.h"

namespace {
template <typename T> int Sign(T a, T b) {
  return a < b ? -1 : (a > b ? 1 : 0);
}

// The length of the run of equal bytes that a and b start with, eight bytes at a time: the
// keys of a sort by folder share long prefixes.
size_t CommonLength(const char* a, const char* b, size_t n) {
  size_t k = 0;
  for (uint64_t x, y; k + 8 <= n; k += 8) {
    std::memcpy(&x, a + k, 8);
    std::memcpy(&y, b + k, 8);
    if (x != y) break;
  }
  while (k < n && a[k] == b[k])
    ++k;
  return k;
}

// Compares the keys a1 a2 and b1 b2 as if each pair were joined and upper-cased, without
// building them: each step Compares the run that lies inside one part of both keys.
int CompareJoinedKeys(std::string_view a1, std::string_view a2, std::string_view b1,
                      std::string_view b2) {
  const unsigned char* upper = TCodePage::Current().UpperTable();
  for (;;) {
    if (a1.empty()) std::swap(a1, a2);
    if (b1.empty()) std::swap(b1, b2);
    if (a1.empty() || b1.empty()) return Sign(!a1.empty(), !b1.empty());
    const size_t n = std::min(a1.size(), b1.size());
    // Equal bytes upper-case alike: only where the bytes differ is the table needed.
    for (size_t k = 0; (k += CommonLength(a1.data() + k, b1.data() + k, n - k)) < n; ++k) {
      const unsigned char ca = upper[static_cast<unsigned char>(a1[k])];
      const unsigned char cb = upper[static_cast<unsigned char>(b1[k])];
      if (ca != cb) return ca < cb ? -1 : 1;
    }
    a1.remove_prefix(n);
    b1.remove_prefix(n);
  }
}

std::pair<ptrdiff_t, ptrdiff_t> Partition(TFoundFiles& files, ptrdiff_t l, ptrdiff_t r,
                                          TCompareFunc compare) {
  ptrdiff_t i = l, j = r;
  // The pivot is the record, not its position: exchanges may move it.
  const TInfoFic* pivot = files[(l + r) / 2].get();
  do {
    while (compare(*files[i], *pivot) < 0)
      ++i;
    while (compare(*files[j], *pivot) > 0)
      --j;
    if (i <= j) {
      std::swap(files[i], files[j]);
      ++i;
      --j;
    }
  } while (i <= j);
  return {i, j};
}

// The parts l..j and i..r are disjoint, so sorting them in either order gives the same list;
// recursing into the smaller one keeps the depth logarithmic whatever the input.
void QuickSort(TFoundFiles& files, ptrdiff_t l, ptrdiff_t r, TCompareFunc compare) {
  while (l < r) {
    const auto [i, j] = Partition(files, l, r, compare);
    if (j - l < r - i) {
      if (l < j) QuickSort(files, l, j, compare);
      l = i;
    } else {
      if (i < r) QuickSort(files, i, r, compare);
      r = j;
    }
  }
}

void SetSortMarks(TResultGrid& grid, int column) {
  for (int i = 1; i <= grid.Cols(); ++i)
    grid.SetSortMark(i, i == column ? TSortMark::spBullet : TSortMark::spNone);
}

// The Index of the current row's record, or 0, which no record carries.
int32_t CurrentIndex(const TFoundFiles& files, const TResultGrid& grid) {
  const int row = grid.SelectedRow();
  if (row < 1 || static_cast<size_t>(row) > files.size()) return 0;
  return files[row - 1]->Index;
}

int RowOfIndex(const TFoundFiles& files, int32_t index) {
  if (index == 0) return 0;
  for (size_t j = 0; j < files.size(); ++j)
    if (files[j]->Index == index) return static_cast<int>(j + 1);
  return 0;
}

bool StartsWithUpper(std::string_view name, std::string_view prefix) {
  if (prefix.size() > name.size()) return false;
  const unsigned char* upper = TCodePage::Current().UpperTable();
  for (size_t k = 0; k < prefix.size(); ++k)
    if (upper[static_cast<unsigned char>(name[k])] != upper[static_cast<unsigned char>(prefix[k])])
      return false;
  return true;
}

void MakeCurrent(TResultGrid& grid, int row) {
  grid.SetSelectedRow(row);
  grid.ShowCell(1, row);
}
} // namespace

int CompareByName(const TInfoFic& a, const TInfoFic& b) {
  return CompareJoinedKeys(a.Name, a.Folder, b.Name, b.Folder);
}

int CompareByFolder(const TInfoFic& a, const TInfoFic& b) {
  return CompareJoinedKeys(a.Folder, a.Name, b.Folder, b.Name);
}

int CompareBySize(const TInfoFic& a, const TInfoFic& b) {
  return Sign(a.Size, b.Size);
}

// Unsigned, so that the year in the top 7 bits runs to 2107 in calendar order.
int CompareByTime(const TInfoFic& a, const TInfoFic& b) {
  return Sign(static_cast<uint32_t>(a.Time), static_cast<uint32_t>(b.Time));
}

void SortFoundFiles(TFoundFiles& files, TResultGrid& grid, int column, TCompareFunc compare) {
  SetSortMarks(grid, column);
  const int32_t current = CurrentIndex(files, grid);
  if (!files.empty()) QuickSort(files, 0, static_cast<ptrdiff_t>(files.size()) - 1, compare);
  const int row = RowOfIndex(files, current);
  // Renumbered before the row moves: the row-changed handler may raise (the file is gone),
  // and the list must still hold its positions then.
  for (size_t j = 0; j < files.size(); ++j)
    files[j]->Index = static_cast<int32_t>(j + 1);
  if (row > 0) MakeCurrent(grid, row);
}

void SortByHeading(TFoundFiles& files, TResultGrid& grid, int dataCol) {
  static const TCompareFunc Compares[] = {CompareByName, CompareByFolder, CompareBySize,
                                          CompareByTime};
  try {
    if (dataCol >= 1 && dataCol <= 4) SortFoundFiles(files, grid, dataCol, Compares[dataCol - 1]);
  } catch (...) {
    // The list is in its new order whatever failed; the grid must show that order.
    grid.ReloadCells();
    throw;
  }
  grid.ReloadCells();
}

void GoToName(const TFoundFiles& files, TResultGrid& grid, std::string_view text) {
  if (text.empty()) return;
  for (size_t i = 0; i < files.size(); ++i)
    if (StartsWithUpper(files[i]->Name, text)) return MakeCurrent(grid, static_cast<int>(i + 1));
}
