#include "search/TextScan.h"

#include "search/ContentMatch.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <random>

namespace {

// Serves file in pieces of at most piece bytes and fails the test when it is asked for more
// once the byte that settles the answer (end of the first match, or the first NUL) is out, or
// to read into a buffer off a 64-byte boundary, where the kernel copies 3-5 x slower.
struct TPieceReader {
  const std::string& File;
  std::size_t Piece;
  std::size_t Settled; // bytes after which no further read may come
  std::size_t Served = 0;

  std::size_t operator()(char* buffer, std::size_t size) {
    EXPECT_LT(Served, Settled) << "read past the first match or NUL";
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(buffer) % 64, 0u) << "misaligned read";
    const std::size_t count = std::min({size, Piece, File.size() - Served});
    std::copy_n(File.data() + Served, count, buffer);
    Served += count;
    return count;
  }
};

std::size_t SettlingLength(const std::string& file, const std::string& text,
                           const TCodePage& page) {
  const std::size_t nul = file.find('\0');
  const std::string body = page.UpperCase(file.substr(0, nul));
  const std::size_t match = body.find(page.UpperCase(text));
  if (match != std::string::npos) return match + text.size();
  return nul == std::string::npos ? file.size() + 1 : nul + 1;
}

// Both filter widths where the processor has the wide one; they must agree.
bool ScanFile(const std::string& file, const std::string& text, const TCodePage& page,
              std::size_t block, std::size_t piece) {
  bool found[2] = {};
  for (const bool wide : {false, TTextScan::WideSupported()}) {
    TTextScan scan(text, page, block, wide);
    TPieceReader reader{file, piece, SettlingLength(file, text, page)};
    found[wide] = scan.Contains(reader);
    EXPECT_EQ(scan.ContainsIn(file), found[wide]) << "wide " << wide;
  }
  EXPECT_EQ(found[0], found[TTextScan::WideSupported()]);
  return found[0];
}

// A code page where '@', 'a' and 'A' are one letter: three variants leave no SIMD filter on
// that byte, and a needle of such letters only is scanned byte by byte.
TCodePage ThreeWayPage() {
  TCodePage::TUpperTable upper;
  const TCodePage base = TCodePage::Windows1252();
  for (int c = 0; c < 256; ++c)
    upper[c] = base.Upper(static_cast<unsigned char>(c));
  upper['@'] = 'A';
  return TCodePage(upper, TCodePage::TLeadBytes{}, TCodePage::TUnicodeTable{});
}

} // namespace

TEST(TextScanTest, DecidesLikeTheLineByLineSearch) {
  const TCodePage page = TCodePage::Windows1252();
  struct TCase {
    const char* Name;
    std::string File, Text;
    bool Found;
  } cases[] = {
      {"case ignored", "xxABCxx", "abc", true},
      {"accented letters", "L'\xC9T\xC9", "\xE9t\xE9", true},
      {"split by a line feed", "ab\nc", "abc", false},
      {"after a NUL", std::string("abc\0xyz", 7), "xyz", false},
      {"before a NUL", std::string("abc\0xyz", 7), "bc", true},
      {"UTF-16 ends after its first letter", std::string("a\0b\0c\0", 6), "b", false},
      {"file starting with NUL", std::string("\0abc", 4), "abc", false},
      {"blanks are sought", "a b", " b", true},
      {"blank missing", "ab", " b", false},
      {"empty file", "", "a", false},
      {"last line without break", "x\r\nzz abc", "ABC", true},
      {"needle longer than file", "ab", "abc", false},
      {"\xFF and \x9F are one letter", "Y\xFF", "y\x9F", true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(PlainContainsText(c.File, c.Text, page), c.Found);
    EXPECT_EQ(ScanFile(c.File, c.Text, page, 3, 2), c.Found);
    EXPECT_EQ(ScanFile(c.File, c.Text, page, 1 << 16, 1 << 16), c.Found);
  }
}

TEST(TextScanTest, LineBreakInTextLeavesTheDecisionToLines) {
  const TCodePage page = TCodePage::Windows1252();
  // An empty text is in every file, even one without lines, as the walk wants it.
  EXPECT_TRUE(TTextScan("", page).ContainsIn(""));
  EXPECT_TRUE(TTextScan("abc", page).Applies());
  EXPECT_TRUE(TTextScan("", page).Applies());
  EXPECT_FALSE(TTextScan("a\nb", page).Applies());
  EXPECT_FALSE(TTextScan("a\r", page).Applies());
}

// Random files of CR, LF, NUL, accented letters in both cases and a few other bytes; needles
// often cut from the file with their case flipped, blocks and reads of random small sizes so
// that matches straddle blocks, texts long enough for the 16- and 32-byte loops.
TEST(TextScanTest, AgreesWithLineByLineSearchOnRandomFiles) {
  const unsigned seed = 20261208;
  std::cout << "TextScan random seed " << seed << "\n";
  std::mt19937 random(seed);
  const TCodePage pages[] = {TCodePage::Windows1252(), ThreeWayPage()};
  const std::string alphabet = std::string("aAbB@\xE9\xC9\xFF\x9Fx \r\n\0", 14);
  const auto pick = [&](std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
  };
  const auto flipCase = [&](char c) {
    if (pick(2) == 0) return c;
    const unsigned char u = static_cast<unsigned char>(c);
    if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
    if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 32);
    return c;
  };
  int found = 0;
  for (int n = 0; n < 100000;) {
    const TCodePage& page = pages[n % 2];
    std::string file(pick(pick(8) == 0 ? 400 : 80), ' ');
    for (char& c : file)
      c = pick(4) == 0 ? alphabet[pick(alphabet.size())] : "ab\xE9"[pick(3)];
    std::string text;
    if (!file.empty() && pick(3) != 0) {
      const std::size_t from = pick(file.size());
      text = file.substr(from, 1 + pick(std::min<std::size_t>(12, file.size() - from)));
      std::transform(text.begin(), text.end(), text.begin(), flipCase);
    } else {
      text.resize(1 + pick(6));
      for (char& c : text)
        c = alphabet[pick(alphabet.size() - 3)];
    }
    if (text.find_first_of("\r\n") != std::string::npos || text.find('\0') != std::string::npos)
      continue;
    SCOPED_TRACE(testing::Message() << "case " << n);
    const bool expected = PlainContainsText(file, text, page);
    found += expected;
    ASSERT_EQ(ScanFile(file, text, page, 1 + pick(pick(2) ? 24 : 300), 1 + pick(64)), expected);
    ++n;
  }
  // Both answers must be common, or the comparison proves little.
  EXPECT_GT(found, 20000);
  EXPECT_LT(found, 80000);
}
