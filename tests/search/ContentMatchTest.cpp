#include "search/ContentMatch.h"

#include "search/SearchEngine.h"
#include "support/MemoryFileSystem.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Bytes that make line breaks, cut the text, or differ only in case.
std::string RandomBytes(std::mt19937& random, size_t maxLength) {
  static const char Alphabet[] = {'a',  'b',    'A',    'B',    'x',    ' ',    '\r',   '\n',
                                  '\0', '\xE9', '\xC9', '\xFF', '\x9F', '\xE0', '\xC0', '\xDF'};
  std::uniform_int_distribution<size_t> length(0, maxLength), pick(0, sizeof Alphabet - 1);
  std::string bytes(length(random), ' ');
  for (char& c : bytes)
    c = Alphabet[pick(random)];
  return bytes;
}

// A content text: one line, no NUL.
std::string RandomText(std::mt19937& random) {
  std::string text = RandomBytes(random, 3);
  for (char& c : text)
    if (c == '\r' || c == '\n' || c == '\0') c = 'a';
  return text.empty() ? "a" : text;
}

} // namespace

// The walk's content match against the plain line-by-line rule, on random inputs.
TEST(ContentMatchTest, WalkAgreesWithThePlainRule) {
  const unsigned seed = 20051225;
  std::cout << "seed " << seed << "\n";
  std::mt19937 random(seed);
  static const TCodePage page = TCodePage::Windows1252();
  TMemoryFileSystem fs;
  TMemoryFileSystem::TEntry& file = fs.AddFile("C:\\f.txt");
  TSearchEngine engine(fs, TFormatSettings(), page);
  int found = 0;
  for (int i = 0; i < 100000; ++i) {
    file.Content = RandomBytes(random, 40);
    const std::string text = RandomText(random);
    engine.Search({"C:\\", "f.txt", text, false});
    const bool expected = PlainContainsText(file.Content, text, page);
    ASSERT_EQ(engine.FoundFiles().size() == 1, expected)
        << "case " << i << " text " << testing::PrintToString(text) << " content "
        << testing::PrintToString(file.Content);
    found += expected;
  }
  EXPECT_GT(found, 10000); // both outcomes are well represented
  EXPECT_LT(found, 90000);
}

TEST(ContentMatchTest, PlainRule) {
  const TCodePage page = TCodePage::Windows1252();
  const struct {
    std::string Bytes;
    const char* Text;
    bool Found;
  } cases[] = {
      {"xxABCxx", "abc", true}, {"L'\xC9T\xC9", "\xE9t\xE9", true},
      {"\xFF", "\x9F", true}, // ÿ and Ÿ
      {"ab\nc", "abc", false},  {std::string("abc\0xyz", 7), "xyz", false},
      {"", "", true},           {"", "a", false},
      {" abc", " a", true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Bytes) + " / " + c.Text);
    EXPECT_EQ(PlainContainsText(c.Bytes, c.Text, page), c.Found);
  }
}
