#include "viewer/OccurrenceIndex.h"
#include "viewer/Navigation.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>

namespace {
struct TIndexCase {
  const char* Name;
  std::vector<std::string> Lines;
  std::string Text;
  TOccurrenceOffsets Expected;
};
} // namespace

TEST(OccurrenceIndexTest, FirstOccurrencePerLineAtPaneTextPositions) {
  const TIndexCase cases[] = {
      {"empty line holds only its break", {"ab", "", "xab"}, "ab", std::vector<int32_t>{0, 7}},
      {"case ignored, first of two", {"xxABCxxabc"}, "abc", std::vector<int32_t>{2}},
      {"after a line start", {"12", "xxABCxxabc"}, "abc", std::vector<int32_t>{6}},
      {"one entry per line", {"abab", "bb", "c"}, "b", std::vector<int32_t>{1, 6}},
      {"restart after a partial match", {"aab"}, "ab", std::vector<int32_t>{1}},
      {"code page's accented capitals", {"L'\xC9T\xC9"}, "\xE9t\xE9", std::vector<int32_t>{2}},
      {"blank is part of the text", {"ab", "a b"}, " ", std::vector<int32_t>{5}},
      {"text longer than every line", {"ab", "a"}, "abc", std::nullopt},
      {"no line holds it", {"abc", "xyz"}, "q", std::nullopt},
      {"no lines", {}, "a", std::nullopt},
      {"empty text builds no index", {"abc"}, "", std::nullopt},
  };
  const TCodePage page = TCodePage::Windows1252();
  for (const TIndexCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(IndexOccurrences(c.Lines, c.Text, page), c.Expected);
  }
}

namespace {
size_t PlainFind(std::string_view line, std::string_view upperText, const TCodePage& page) {
  for (size_t i = 0; !upperText.empty() && i + upperText.size() <= line.size(); ++i)
    if (page.UpperCase(line.substr(i, upperText.size())) == upperText) return i;
  return std::string_view::npos;
}
} // namespace

// The finder against the plain search, on random lines long enough for its fast path: with the
// Western European code page, whose first bytes have one or two variants, and with a page where
// three bytes upper-case alike.
TEST(OccurrenceIndexTest, FinderFindsWhatThePlainSearchFinds) {
  const unsigned seed = 20261209;
  std::printf("seed %u\n", seed);
  SCOPED_TRACE(testing::Message() << "seed " << seed);
  std::mt19937 random(seed);
  TCodePage::TUpperTable upper = {};
  for (int c = 0; c < 256; ++c)
    upper[size_t(c)] = TCodePage::Windows1252().Upper(static_cast<unsigned char>(c));
  upper['@'] = 'A';
  const TCodePage pages[] = {TCodePage::Windows1252(), TCodePage(upper, {}, {})};
  const char bytes[] = "aAbB@\xE9\xC9\xFF\x9Fx";
  auto randomText = [&](size_t most) {
    std::string text;
    for (size_t n = random() % most; n > 0; --n)
      text += bytes[random() % (sizeof bytes - 1)];
    return text;
  };
  for (int round = 0; round < 4000; ++round) {
    const TCodePage& page = pages[round % 2];
    const std::string upperText = page.UpperCase(randomText(4));
    const std::string line = randomText(80);
    ASSERT_EQ(TOccurrenceFinder(upperText, page).Find(line), PlainFind(line, upperText, page))
        << testing::PrintToString(line) << " " << testing::PrintToString(upperText);
  }
}

TEST(OccurrenceNavigationTest, WrapsAroundAtBothEnds) {
  struct {
    TNavigStep Step;
    int32_t Current, Count, Expected;
  } const cases[] = {
      {nsPrevious, 1, 7, 7}, {nsPrevious, 3, 7, 2}, {nsNext, 7, 7, 1},     {nsNext, 2, 7, 3},
      {nsFirst, 5, 7, 1},    {nsLast, 2, 7, 7},     {nsPrevious, 1, 1, 1}, {nsNext, 1, 1, 1},
      {nsFirst, 1, 1, 1},    {nsLast, 1, 1, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.Step << " from " << c.Current << " of " << c.Count);
    EXPECT_EQ(NavigatedOccurrence(c.Step, c.Current, c.Count), c.Expected);
  }
  EXPECT_EQ(OccurrenceCounterText(3, 7), "occurence 3/ 7");
  EXPECT_EQ(LineLabelText(0), "Ligne : 0");
}
