#include "search/ResultOrder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <stdexcept>

#include "base/SysUtils.h"
#include "platform/CodePage.h"
#include "support/RecordingGrid.h"

namespace {
struct TFile {
  std::string Name;
  std::string Folder = "C:\\X";
  int64_t Size = 0;
  int32_t Time = 0;
};

TInfoFic Info(const TFile& f) {
  TInfoFic info;
  info.Name = f.Name;
  info.Folder = f.Folder;
  info.Size = f.Size;
  info.Time = f.Time;
  return info;
}

TFoundFiles Files(const std::vector<TFile>& files) {
  TFoundFiles list;
  for (const TFile& f : files) {
    list.push_back(std::make_unique<TInfoFic>(Info(f)));
    list.back()->Index = static_cast<int32_t>(list.size());
  }
  return list;
}

std::string Names(const TFoundFiles& files) {
  std::string names;
  for (const auto& f : files)
    names += (names.empty() ? "" : " ") + f->Name;
  return names;
}

int32_t PackedTime(int year, int month, int day) {
  return static_cast<int32_t>(static_cast<uint32_t>(year - 1980) << 25 | month << 21 | day << 16);
}

using TCalls = std::vector<std::string>;
const TCalls MarksOn1 = {"Mark(1,*)", "Mark(2,-)", "Mark(3,-)", "Mark(4,-)"};

TCalls Then(TCalls calls, const TCalls& more) {
  calls.insert(calls.end(), more.begin(), more.end());
  return calls;
}
} // namespace

TEST(CompareTest, OrdersByColumnKeys) {
  struct TCase {
    const char* Why;
    TCompareFunc Compare;
    TFile A, B;
    int Expected;
  };
  const TCase cases[] = {
      {"a after ab: AC:\\X > ABC:\\X", CompareByName, {"a"}, {"ab"}, 1},
      {"equal in any case", CompareByName, {"x.txt"}, {"X.TXT"}, 0},
      {"folder decides between equal names", CompareByName, {"a", "C:\\B"}, {"a", "C:\\A"}, 1},
      {"shorter key first", CompareByName, {"ab", "C:\\X"}, {"ab", "C:\\X\\Y"}, -1},
      {"Zoo before École", CompareByName, {"Zoo"}, {"École"}, -1},
      {"école upper-cased after Zoo", CompareByName, {"école"}, {"Zoo"}, 1},
      {"_ after Z", CompareByName, {"_a"}, {"Za"}, 1},
      {"digits before letters", CompareByName, {"9"}, {"a"}, -1},
      {"C:\\AZ.TXT > C:\\ABX.TXT", CompareByFolder, {"z.txt", "C:\\A"}, {"x.txt", "C:\\AB"}, 1},
      {"name decides between equal folders", CompareByFolder, {"a"}, {"b"}, -1},
      {"equal sizes", CompareBySize, {"a", "", 7}, {"b", "", 7}, 0},
      {"0 before 2^31 - 1", CompareBySize, {"a", "", 0}, {"b", "", 0x7FFFFFFF}, -1},
      {"2^31 after 2^31 - 1", CompareBySize, {"a", "", 0x80000000}, {"b", "", 0x7FFFFFFF}, 1},
      {"3,000,000,000 after 2^31", CompareBySize, {"a", "", 3000000000}, {"b", "", 0x80000000}, 1},
      {"5,000,000,000 after 3,000,000,000 (its low 32 bits are less)",
       CompareBySize,
       {"a", "", 5000000000},
       {"b", "", 3000000000},
       1},
      {"2043 after 1980",
       CompareByTime,
       {"a", "", 0, PackedTime(2043, 12, 31)},
       {"b", "", 0, PackedTime(1980, 1, 1)},
       1},
      {"2050 after 2043 (the sign bit set)",
       CompareByTime,
       {"a", "", 0, PackedTime(2050, 1, 1)},
       {"b", "", 0, PackedTime(2043, 12, 31)},
       1},
      {"the same day, later time after",
       CompareByTime,
       {"a", "", 0, PackedTime(2050, 1, 1) | 1},
       {"b", "", 0, PackedTime(2050, 1, 1)},
       1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Why);
    EXPECT_EQ(c.Expected, c.Compare(Info(c.A), Info(c.B)));
    EXPECT_EQ(-c.Expected, c.Compare(Info(c.B), Info(c.A)));
  }
}

// The in-place comparison against joining and upper-casing the two keys.
TEST(CompareTest, MatchesBuiltKeys) {
  const unsigned seed = 20261208;
  std::printf("seed %u\n", seed);
  SCOPED_TRACE(Format("seed %u", seed));
  std::mt19937 random(seed);
  const char* pieces[] = {"a", "b", "A", "B", "é", "É", "ÿ", "Ÿ", "\\", ":", "_", "z", "ab"};
  auto fresh = [&] {
    std::string s;
    for (int n = random() % 6; n > 0; --n)
      s += pieces[random() % std::size(pieces)];
    return s;
  };
  // Texts that often share long prefixes or differ only in letter case.
  std::vector<std::string> pool = {""};
  for (int k = 0; k < 60; ++k) {
    std::string s = pool[random() % pool.size()];
    if (random() % 2 || s.empty())
      s += fresh();
    else
      s[random() % s.size()] ^= 0x20;
    pool.push_back(s);
  }
  auto text = [&] { return pool[random() % pool.size()]; };
  auto sign = [](int v) { return (v > 0) - (v < 0); };
  const TCodePage& page = TCodePage::Current();
  for (int k = 0; k < 20000; ++k) {
    const TInfoFic a = Info({text(), text()}), b = Info({text(), text()});
    SCOPED_TRACE(a.Name + "|" + a.Folder + " vs " + b.Name + "|" + b.Folder);
    EXPECT_EQ(sign(page.UpperCase(a.Name + a.Folder).compare(page.UpperCase(b.Name + b.Folder))),
              CompareByName(a, b));
    EXPECT_EQ(sign(page.UpperCase(a.Folder + a.Name).compare(page.UpperCase(b.Folder + b.Name))),
              CompareByFolder(a, b));
  }
}

namespace {
// The quicksort exactly as the procedure states it, recursing into the left part.
void PlainQuickSort(std::vector<TInfoFic*>& list, int l, int r, TCompareFunc compare) {
  do {
    int i = l, j = r;
    const TInfoFic* p = list[(l + r) / 2];
    do {
      while (compare(*list[i], *p) < 0)
        ++i;
      while (compare(*list[j], *p) > 0)
        --j;
      if (i <= j) std::swap(list[i++], list[j--]);
    } while (i <= j);
    if (l < j) PlainQuickSort(list, l, j, compare);
    l = i;
  } while (l < r);
}
} // namespace

TEST(SortTest, PutsEqualKeysWhereThePlainQuicksortDoes) {
  const unsigned seed = 4242;
  std::printf("seed %u\n", seed);
  SCOPED_TRACE(Format("seed %u", seed));
  std::mt19937 random(seed);
  for (int k = 0; k < 500; ++k) {
    std::vector<TFile> files;
    for (int n = random() % 60; n > 0; --n)
      files.push_back({std::to_string(files.size()), "C:\\", static_cast<int32_t>(random() % 4)});
    TFoundFiles sorted = Files(files);
    std::vector<TInfoFic*> expected;
    for (const auto& f : sorted)
      expected.push_back(f.get());
    if (!expected.empty())
      PlainQuickSort(expected, 0, static_cast<int>(expected.size()) - 1, CompareBySize);
    TRecordingGrid grid;
    SortFoundFiles(sorted, grid, 3, CompareBySize);
    ASSERT_EQ(expected.size(), sorted.size());
    for (size_t j = 0; j < sorted.size(); ++j) {
      ASSERT_EQ(expected[j], sorted[j].get()) << "list " << k << ", position " << j;
      ASSERT_EQ(static_cast<int32_t>(j + 1), sorted[j]->Index);
    }
  }
}

TEST(SortTest, EqualKeysChangePlacesOnEverySort) {
  TFoundFiles two = Files({{"a", "", 5}, {"b", "", 5}});
  TRecordingGrid grid;
  SortFoundFiles(two, grid, 3, CompareBySize);
  EXPECT_EQ("b a", Names(two));
  SortFoundFiles(two, grid, 3, CompareBySize);
  EXPECT_EQ("a b", Names(two));

  TFoundFiles three = Files({{"a", "", 5}, {"b", "", 5}, {"c", "", 5}});
  SortFoundFiles(three, grid, 3, CompareBySize);
  EXPECT_EQ("c b a", Names(three));
}

TEST(SortTest, KeepsTheCurrentFileCurrentAndShown) {
  struct TCase {
    const char* Why;
    int Selected;
    TCalls Expected;
  };
  // Before: d b c a; after the name sort: a b c d.
  const TCase cases[] = {
      {"no current row: none made current", 0, MarksOn1},
      {"current file moves", 1,
       Then(MarksOn1, {"SelectedRow(4)", "RowChanged(1,4)", "ShowCell(1,4)"})},
      {"current file stays on its row", 2, Then(MarksOn1, {"SelectedRow(2)", "ShowCell(1,2)"})},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Why);
    TFoundFiles files = Files({{"d"}, {"b"}, {"c"}, {"a"}});
    TRecordingGrid grid(4, c.Selected);
    SortFoundFiles(files, grid, 1, CompareByName);
    EXPECT_EQ(c.Expected, grid.Calls);
    EXPECT_EQ("a b c d", Names(files));
    for (size_t j = 0; j < files.size(); ++j)
      EXPECT_EQ(static_cast<int32_t>(j + 1), files[j]->Index);
  }
}

// Loading the moved file into the viewer fails when it has gone since the search.
TEST(SortTest, AFailingRowChangeLeavesTheListNumberedAndTheGridReloaded) {
  TFoundFiles files = Files({{"b"}, {"a"}});
  TRecordingGrid grid(2, 1);
  grid.OnRowChanged = [](int, int) { throw Exception("Ne peut ouvrir le fichier C:\\X\\b"); };
  EXPECT_THROW(SortByHeading(files, grid, 1), Exception);
  EXPECT_EQ("a b", Names(files));
  EXPECT_EQ(1, files[0]->Index);
  EXPECT_EQ(2, files[1]->Index);
  EXPECT_EQ("Reload", grid.Calls.back());
}

TEST(HeadingClickTest, SortsColumnsOneToFourAndAlwaysReloads) {
  struct TCase {
    int Col;
    const char* Order;
    const char* Marks; // bullet position per column, "" when no marks are set
  };
  const TCase cases[] = {
      {1, "a b c", "*---"}, {2, "c a b", "-*--"}, {3, "b c a", "--*-"},
      {4, "a c b", "---*"}, {0, "b a c", ""},     {5, "b a c", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Col);
    TFoundFiles files = Files({{"b", "C:\\B", 1, PackedTime(2001, 1, 1)},
                               {"a", "C:\\B", 3, PackedTime(1999, 1, 1)},
                               {"c", "C:\\A", 2, PackedTime(2000, 1, 1)}});
    TRecordingGrid grid(3);
    SortByHeading(files, grid, c.Col);
    EXPECT_EQ(c.Order, Names(files));
    TCalls expected;
    for (int i = 0; c.Marks[i]; ++i)
      expected.push_back(Format("Mark(%d,%c)", i + 1, c.Marks[i]));
    expected.push_back("Reload");
    EXPECT_EQ(expected, grid.Calls);
  }
}

TEST(HeadingClickTest, EmptyListOnlyMarksAndReloads) {
  TFoundFiles files;
  TRecordingGrid grid;
  SortByHeading(files, grid, 1);
  EXPECT_EQ(Then(MarksOn1, {"Reload"}), grid.Calls);
}

TEST(GoToNameTest, SelectsTheFirstNameFromTheTop) {
  struct TCase {
    const char* Text;
    int Selected;
    TCalls Expected;
  };
  const TCase cases[] = {
      {"ab", 4, {"SelectedRow(2)", "RowChanged(4,2)", "ShowCell(1,2)"}},
      {"AB", 1, {"SelectedRow(2)", "RowChanged(1,2)", "ShowCell(1,2)"}},
      {"abc.TXT", 2, {"SelectedRow(3)", "RowChanged(2,3)", "ShowCell(1,3)"}},
      {"éc", 0, {"SelectedRow(5)", "RowChanged(0,5)", "ShowCell(1,5)"}},
      {"a", 1, {"SelectedRow(1)", "ShowCell(1,1)"}},
      {"zz", 3, {}},
      {"abc.txt.bak", 3, {}},
      {"", 3, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    const TFoundFiles files = Files({{"a"}, {"Abd"}, {"abc.txt"}, {"ab"}, {"École"}});
    TRecordingGrid grid(5, c.Selected);
    GoToName(files, grid, c.Text);
    EXPECT_EQ(c.Expected, grid.Calls);
  }
}
