#include "search/UnicodeText.h"

#include <gtest/gtest.h>

#include <random>

using namespace std::string_literals;

namespace {
// Whole, and again one byte at a time: a sequence cut between two reads must not change the
// verdict.
TTextForm FormOf(const std::string& bytes, bool checkUtf8 = true) {
  TFormProbe whole(checkUtf8), bytewise(checkUtf8);
  whole.Add(bytes);
  for (const char c : bytes)
    bytewise.Add(std::string_view(&c, 1));
  EXPECT_EQ(whole.Form(), bytewise.Form()) << "read one byte at a time";
  return whole.Form();
}

std::string Decode(TTextForm form, const std::vector<std::string_view>& pieces) {
  TUnicodeDecoder decoder(form, TCodePage::Current(), '#');
  std::string out;
  for (const std::string_view piece : pieces)
    if (!decoder.Add(piece, out)) break;
  decoder.Finish(out);
  return out;
}
} // namespace

TEST(UnicodeTextTest, FormFromTheMarkOrStrictUtf8BeforeTheFirstNul) {
  const struct {
    const char* Name;
    std::string Bytes;
    TTextForm Form;
  } cases[] = {
      {"plain ASCII is no Unicode", "abc", tfAnsi},
      {"Windows-1252 accents", "\xE9t\xE9", tfAnsi},
      {"UTF-8 accents", "\xC3\xA9t\xC3\xA9", tfUtf8},
      {"four-byte character", "\xF0\x9F\x98\x80", tfUtf8},
      {"UTF-8 mark", "\xEF\xBB\xBF" + "abc"s, tfUtf8Mark},
      {"UTF-8 mark over bytes that are no UTF-8", "\xEF\xBB\xBF\xE9", tfUtf8Mark},
      {"UTF-16 LE mark", "\xFF\xFE" + "a\0"s, tfUtf16LE},
      {"UTF-16 BE mark", "\xFE\xFF\0a"s, tfUtf16BE},
      {"half a mark", "\xEF\xBB", tfAnsi},
      {"overlong two bytes", "\xC0\xA9", tfAnsi},
      {"overlong three bytes", "\xE0\x80\xA9", tfAnsi},
      {"surrogate", "\xED\xA0\x80", tfAnsi},
      {"above U+10FFFF", "\xF4\x90\x80\x80", tfAnsi},
      {"cut at the end", "\xC3\xA9\xC3", tfAnsi},
      {"cut by a NUL", "\xC3\0\xA9"s, tfAnsi},
      {"what follows the NUL is not looked at", "\xC3\xA9\0\xE9"s, tfUtf8},
      {"a high byte only after the NUL", "a\0\xC3\xA9"s, tfAnsi},
      {"stray continuation byte", "a\xA9", tfAnsi},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(FormOf(c.Bytes), c.Form);
  }
  // A text of plain ASCII asks for the marks only.
  EXPECT_EQ(FormOf("\xC3\xA9", false), tfAnsi);
  EXPECT_EQ(FormOf("\xEF\xBB\xBF", false), tfUtf8Mark);
}

TEST(UnicodeTextTest, DecodesIntoTheCodePageWhereverTheBlocksAreCut) {
  const struct {
    const char* Name;
    TTextForm Form;
    std::string Bytes;
    std::string Decoded; // '#' stands for a character the code page lacks
  } cases[] = {
      {"accents", tfUtf8, "\xC3\xA9t\xC3\xA9", "\xE9t\xE9"},
      {"the mark is passed over", tfUtf8Mark, "\xEF\xBB\xBF" + "ab"s, "ab"},
      {"euro, oe, a C1 control Windows keeps", tfUtf8, "\xE2\x82\xAC\xC5\x93\xC2\x81",
       "\x80\x9C\x81"},
      {"a character the code page lacks", tfUtf8, "a\xE2\x98\x83" + "b"s, "a#b"},
      {"beyond the basic plane", tfUtf8, "\xF0\x9F\x98\x80x", "#x"},
      {"broken sequence, then what breaks it", tfUtf8Mark, "\xEF\xBB\xBF" + "a\xC3(b"s, "a#(b"},
      {"invalid bytes one by one", tfUtf8Mark, "\xEF\xBB\xBF\xC0\xAF", "##"},
      {"a broken sequence's bounds end with it", tfUtf8Mark,
       "\xEF\xBB\xBF\xF4"
       "A\xC3\xA9",
       "#A\xE9"},
      {"cut at the end", tfUtf8, "a\xE2\x82", "a#"},
      {"a NUL ends the text", tfUtf8, "ab\0cd"s, "ab"},
      {"UTF-16 LE", tfUtf16LE, "\xFF\xFE\xE9\0t\0"s, "\xE9t"},
      {"UTF-16 BE", tfUtf16BE, "\xFE\xFF\0\xE9\0t\x01\x52"s, "\xE9t\x8C"},
      {"surrogate pair", tfUtf16LE, "\xFF\xFE\x3D\xD8\x00\xDE"s, "#"},
      {"lone high surrogate", tfUtf16LE, "\xFF\xFE\x3D\xD8" + "a\0"s, "#a"},
      {"lone low surrogate", tfUtf16LE, "\xFF\xFE\x00\xDC"s + "a\0"s, "#a"},
      {"U+0000 ends the text", tfUtf16LE, "\xFF\xFE" + "a\0\0\0b\0"s, "a"},
      {"odd last byte", tfUtf16LE, "\xFF\xFE" + "a\0b"s, "a#"},
      {"line breaks stay", tfUtf16LE, "\xFF\xFE\r\0\n\0"s, "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string_view bytes = c.Bytes;
    EXPECT_EQ(Decode(c.Form, {bytes}), c.Decoded);
    for (size_t cut = 0; cut <= bytes.size(); ++cut)
      EXPECT_EQ(Decode(c.Form, {bytes.substr(0, cut), bytes.substr(cut)}), c.Decoded)
          << "cut at " << cut;
  }
}

// Long texts of ASCII runs between other characters and broken sequences, encoded here, decode
// to their characters and get their form however the reads cut them.
TEST(UnicodeTextTest, LongTextsDecodeToTheirCharacters) {
  const struct {
    std::string Utf8;
    std::u16string Utf16;
    char Decoded;
  } others[] = {
      {"\xC3\xA9", u"\u00E9", '\xE9'},          {"\xE2\x82\xAC", u"\u20AC", '\x80'},
      {"\xE2\x98\x83", u"\u2603", '#'},         {"\xF0\x9F\x98\x80", u"\U0001F600", '#'},
      {"\xC3", std::u16string(1, 0xDC00), '#'}, {"\xFF", std::u16string(1, 0xDC00), '#'},
  };
  std::mt19937 random(20261210);
  const auto below = [&](size_t n) { return static_cast<size_t>(random() % n); };
  for (int i = 0; i < 400; ++i) {
    std::string utf8, decoded;
    std::u16string utf16;
    bool broken = false, high = false;
    for (size_t items = below(40); items > 0; --items) {
      for (size_t run = below(4) ? below(40) : 0; run > 0; --run) {
        const char c = "ab\r\nXY z"[below(8)];
        utf8 += c, utf16 += static_cast<char16_t>(c), decoded += c;
      }
      const auto& other = others[below(std::size(others))];
      utf8 += other.Utf8, utf16 += other.Utf16, decoded += other.Decoded;
      broken = broken || other.Utf8.size() == 1;
      high = true;
    }
    SCOPED_TRACE(testing::Message() << "case " << i << ": " << testing::PrintToString(utf8));
    EXPECT_EQ(FormOf(utf8), broken || !high ? tfAnsi : tfUtf8);
    std::string le = "\xFF\xFE", be = "\xFE\xFF";
    for (const char16_t unit : utf16) {
      le += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
      be += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    for (const auto& [form, bytes] :
         {std::pair<TTextForm, std::string_view>{tfUtf8, utf8}, {tfUtf16LE, le}, {tfUtf16BE, be}}) {
      const size_t cut = below(bytes.size() + 1), again = cut + below(bytes.size() - cut + 1);
      EXPECT_EQ(
          Decode(form, {bytes.substr(0, cut), bytes.substr(cut, again - cut), bytes.substr(again)}),
          decoded)
          << "form " << form << ", cut at " << cut << " and " << again;
    }
  }
}
