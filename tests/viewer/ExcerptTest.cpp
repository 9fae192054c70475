#include "viewer/Excerpt.h"

#include "base/SysUtils.h"
#include "viewer/ShowLimit.h"

#include <gtest/gtest.h>

namespace {
using TLines = std::vector<std::string>;

TExcerpt ExcerptOf(const TLines& lines, const std::string& text, bool cutShort) {
  TExcerpt excerpt(text, TCodePage::Current());
  for (const std::string& line : lines)
    if (!excerpt.Add(line)) break;
  excerpt.Finish(cutShort);
  return excerpt;
}

std::string Counted(int shown, int read) {
  return Format("Fichier trop volumineux : seules les lignes contenant le texte sont affichées "
                "(%d lignes sur %d).",
                shown, read);
}
} // namespace

// The marks are the file line's own first occurrence, never one in the number before it.
TEST(ExcerptTest, ShowsNumberedLinesHoldingTheTextAndMarksThemPastTheNotice) {
  const struct {
    const char* Name;
    TLines File;
    std::string Text;
    TLines Pane;
    std::vector<int32_t> Marks; // within the pane's lines after the notice, counted as the pane
    bool CutShort = false;      // by a line too long to show
  } cases[] = {
      {"two of four",
       {"xx", "ab", "", "x\xE9 AB ab"},
       "ab",
       {Counted(2, 4), "2 : ab", "4 : x\xE9 AB ab"},
       {4, 8 + 7}},
      {"a number holding the text",
       {"a", "b2", "22"},
       "2",
       {Counted(2, 3), "2 : b2", "3 : 22"},
       {5, 8 + 4}},
      {"accented capitals", {"L'\xC9T\xC9"}, "\xE9t\xE9", {Counted(1, 1), "1 : L'\xC9T\xC9"}, {6}},
      {"no line holds it", {"a", "b"}, "q", {Counted(0, 2)}, {}},
      {"cut short",
       {"ab"},
       "ab",
       {"Fichier trop volumineux : seules les 1 premières lignes contenant le texte sont "
        "affichées.",
        "1 : ab"},
       {4},
       true},
      {"empty content text",
       {"a", "", "b"},
       "",
       {"Fichier trop volumineux : seules les 3 premières lignes sont affichées.", "1 : a",
        "2 : ", "3 : b"},
       {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TExcerpt excerpt = ExcerptOf(c.File, c.Text, c.CutShort);
    EXPECT_EQ(excerpt.Lines(), c.Pane);
    TOccurrenceOffsets expected;
    const auto noticeEnd = int32_t(c.Pane.front().size()) + LineBreakLength;
    for (const int32_t mark : c.Marks) {
      if (!expected) expected.emplace();
      expected->push_back(noticeEnd + mark);
    }
    EXPECT_EQ(excerpt.OccurrenceOffsets(), expected);
  }
}

// The excerpt ends with the last line whose load the budget still covers, and says so.
TEST(ExcerptTest, StopsWhereTheEstimatedLoadReachesTheBudget) {
  const struct {
    const char* Text;
    const char* Notice;
    size_t Marks;
  } rows[] = {
      {"cible",
       "Fichier trop volumineux : seules les %d premières lignes contenant le texte sont "
       "affichées.",
       1},
      {"", "Fichier trop volumineux : seules les %d premières lignes sont affichées.", 0},
  };
  const std::string line =
      "2026-12-09 21:00:00 une ligne de journal avec la CIBLE " + std::string(40, '.');
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Notice);
    TExcerpt excerpt(row.Text, TCodePage::Current());
    int added = 0;
    while (excerpt.Add(line))
      ++added;
    EXPECT_FALSE(excerpt.Add("x")) << "a full excerpt takes no more";
    excerpt.Finish();
    const TLines& lines = excerpt.Lines();
    ASSERT_EQ(lines.size(), size_t(added) + 1);
    EXPECT_EQ(lines.front(), Format(row.Notice, added));
    EXPECT_EQ(lines.back(), Format("%d : ", added) + line);
    const size_t marks = row.Marks * size_t(added);
    EXPECT_LE(ShowSeconds(lines, marks), MaxShowSeconds);
    TLines more = lines;
    more.push_back(Format("%d : ", added + 1) + line);
    EXPECT_GT(ShowSeconds(more, marks + row.Marks) + 1e-4, MaxShowSeconds) << "stopped early";
  }
}
