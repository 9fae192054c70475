#include "search/Masks.h"

#include "base/SysUtils.h"
#include "platform/CodePage.h"

#include <gtest/gtest.h>

namespace {

struct TMatchRow {
  const char* Mask;
  const char* Name;
  bool Matches;
};

void ExpectMatches(const std::vector<TMatchRow>& rows) {
  for (const TMatchRow& row : rows) {
    SCOPED_TRACE(std::string("mask '") + row.Mask + "', name '" + row.Name + "'");
    EXPECT_EQ(NameMatchesMask(row.Name, row.Mask), row.Matches);
  }
}

std::string Repeat(const std::string& text, int count) {
  std::string result;
  for (int i = 0; i < count; ++i)
    result += text;
  return result;
}

// The message of the invalid-mask error, or "" when the mask compiles.
std::string CompileError(const std::string& mask) {
  try {
    TMask compiled(mask);
  } catch (const Exception& e) {
    return e.Message();
  }
  return "";
}

std::string InvalidAt(const std::string& mask, int position) {
  return "'" + mask + "' est un masque incorrect \xE0 (" + std::to_string(position) + ")";
}

} // namespace

TEST(MaskTest, StarsAndDots) {
  ExpectMatches({
      {"*", "", true},
      {"*", "README", true},
      {"***", "a", true},
      {"*.*", "README", false},
      {"*.*", "read.me", true},
      {"*.*", ".", true},
      {"*.txt", "a.txt", true},
      {"*.txt", "A.TXT", true},
      {"*.txt", "a.b.txt", true},
      {"*.txt", ".txt", true},
      {"*.txt", "a.txt.bak", false},
      {"*.txt", "txt", false},
      {"*.TXT", "a.txt", true},
      {"abc*", "abc", true},
      {"abc*", "ABCdef", true},
      {"abc*", "xabc", false},
      {"abc*", "ab", false},
      {"*.txt;*.doc", "a.txt;b.doc", true},
      {"*.txt;*.doc", "a.txt", false},
      {"*.txt;*.doc", "b.doc", false},
  });
}

TEST(MaskTest, QuestionMarks) {
  ExpectMatches({
      {"a?c", "abc", true},
      {"a?c", "ac", false},
      {"a?c", "abcd", false},
      {"a?", "a", false},
      {"a?", "ab", true},
      {"a*?", "a", true},
      {"*?*?x", "x", true},
      {"??", "\xE9\xC9", true},
  });
}

TEST(MaskTest, SetsAndRanges) {
  ExpectMatches({
      {"[a-c]*", "apple", true},
      {"[a-c]*", "Bob", true},
      {"[a-c]*", "d", false},
      {"[a-c]*", "", false},
      {"[A-C]*", "banana", true},
      {"[!a]*", "b", true},
      {"[!a]*", "a", false},
      {"[!a]*", "A", false},
      {"[!a]*", "", false},
      {"a[!b]", "a", false},
      {"a[!b]", "ac", true},
      {"a[!b]", "aB", false},
      {"[z-a]", "z", true},
      {"[z-a]", "y", false},
      {"[z-a]", "a", false},
      {"[a-c-e]", "d", true},
      {"[a-c-e]", "E", true},
      {"[a-c-e]", "f", false},
      {"[a-]x]", "]", true},
      {"[a-]x]", "[", true},
      {"[a-]x]", "^", false},
      {"[a-]x]", "ax", false},
      {"[a!]", "!", true},
      {"[a!]", "\"", false},
      {"[a]]", "a]", true},
      {"*[0-9].txt", "file1.txt", true},
      {"*[0-9].txt", "file.txt", false},
      {"[\xE9]", "\xC9", false},
  });
}

TEST(MaskTest, OrdinaryCharactersAndCase) {
  ExpectMatches({
      {"a]!-;", "A]!-;", true},
      {" a", " a", true},
      {" a", "a", false},
      {"a ", "a", false},
      {"*\xE9*", "\xE9t\xE9.txt", true},
      {"*\xE9*", "\xC9T\xC9.TXT", false},
      {"\xFF", "\x9F", false},
  });
}

TEST(MaskTest, BacktracksToLaterPositions) {
  ExpectMatches({
      {"*ab", "aab", true},
      {"*a*b", "aXaYb", true},
      {"*a?c", "abac", false},
      {"*a?c", "xabc", true},
      {"*.txt", "a.txt.txt", true},
      {"a*b*c", "abbbbcbc", true},
      {"a*b*c", "abbbbcb", false},
  });
}

TEST(MaskTest, ManyStarsOnLongNamesAnswerAtOnce) {
  // Retrying every earlier star would take longer than any test run on these.
  const std::string mask = Repeat("*a", 20) + "*b";
  EXPECT_FALSE(NameMatchesMask(std::string(300, 'a'), mask));
  EXPECT_TRUE(NameMatchesMask(std::string(300, 'a') + "b", mask));
  EXPECT_FALSE(NameMatchesMask(std::string(19, 'a') + "b", mask));
}

TEST(MaskTest, InvalidMasksGivePositions) {
  const std::vector<std::pair<std::string, int>> rows = {
      {"*.[txt", 7},
      {"[]", 2},
      {"[!]", 3},
      {"[-a]", 2},
      {"[!-a]", 3},
      {"[a-", 4},
      {"[a-]", 5},
      {"[a!-]", 6},
      {"[", 2},
      {"[!", 3},
      {"a[!b", 5},
      {"ab]cd[", 7},
      {Repeat("*a", 31), 62},
      {Repeat("*a", 30) + "*", 62},
      {Repeat("*a", 30) + "*[ab]", 65},
      {Repeat("*?a", 31), 93},
      {Repeat("*a", 31) + "[]", 64}, // a set error wins over too many stars
      {"[]" + Repeat("*a", 31), 2},
  };
  for (const auto& [mask, position] : rows) {
    SCOPED_TRACE("mask '" + mask + "'");
    EXPECT_EQ(CompileError(mask), InvalidAt(mask, position));
  }
}

TEST(MaskTest, ThirtyStarsAreTheLimit) {
  EXPECT_TRUE(NameMatchesMask(std::string(30, 'a'), Repeat("*a", 30)));
  EXPECT_TRUE(NameMatchesMask("abc", Repeat("*", 50) + "abc"));
  EXPECT_EQ(CompileError(Repeat("*a", 29) + "*"), "");
  // Raised for every name, not only the first one after the mask was typed.
  for (int i = 0; i < 2; ++i)
    EXPECT_THROW(NameMatchesMask("a", Repeat("*a", 31)), Exception);
}

TEST(MaskTest, DoubleByteCharactersAreMatchedExactly) {
  TCodePage::TUpperTable upper{};
  TCodePage::TLeadBytes lead{};
  const TCodePage western = TCodePage::Windows1252();
  for (int c = 0; c < 256; ++c)
    upper[c] = western.Upper(static_cast<unsigned char>(c));
  lead[0x81] = true;
  const TCodePage doubleByte(upper, lead, TCodePage::TUnicodeTable{});

  // The trail byte of a double-byte character is neither folded nor a mask character.
  // Rows: mask, name, whether it matches with lead bytes, whether it matches without.
  const std::vector<std::tuple<const char*, const char*, bool, bool>> rows = {
      {"\201a", "\201a", true, true},
      {"\201a", "\201A", false, true},  // the trail byte is not folded
      {"\201[", "\201[", true, false},  // nor the start of a set
      {"*\201b", "x\201b", true, true}, // found after a star
      {"[\201]a]", "a", true, false},   // nor the end of a set
      {"[\201]a]", "\201a]", false, true},
      {"a\201", "A\201", true, true}, // a lead byte that ends the mask is a literal
  };
  for (const auto& [mask, name, withLead, singleByte] : rows) {
    SCOPED_TRACE(std::string("mask '") + mask + "', name '" + name + "'");
    auto matches = [&](const TCodePage& page) {
      try {
        return TMask(mask, page).MatchName(name);
      } catch (const Exception&) {
        return false;
      }
    };
    EXPECT_EQ(matches(doubleByte), withLead);
    EXPECT_EQ(matches(western), singleByte);
  }
  EXPECT_EQ(CompileError("[\201]"), "");
  EXPECT_THROW(TMask("[\201]", doubleByte), Exception);
}
