#include "search/ContentMatch.h"
#include "search/SearchEngine.h"
#include "support/FilePath.h"
#include "support/MemoryFileSystem.h"
#include "viewer/Excerpt.h"
#include "viewer/OccurrenceIndex.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>

namespace {

const TCodePage& Page() {
  static const TCodePage page = TCodePage::Windows1252();
  return page;
}

std::u16string Wide(std::string_view ansi) {
  std::u16string wide;
  for (const char c : ansi)
    wide += Page().ToUnicode(static_cast<unsigned char>(c));
  return wide;
}

std::string Utf8(std::u16string_view text) {
  std::string bytes;
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] < 0xE000)
      c = 0x10000 + ((c - 0xD800) << 10) + (text[++i] - 0xDC00);
    const auto put = [&](unsigned bits) { bytes += static_cast<char>(bits); };
    if (c < 0x80) {
      put(c);
    } else if (c < 0x800) {
      put(0xC0 | c >> 6), put(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      put(0xE0 | c >> 12), put(0x80 | (c >> 6 & 0x3F)), put(0x80 | (c & 0x3F));
    } else {
      put(0xF0 | c >> 18), put(0x80 | (c >> 12 & 0x3F)), put(0x80 | (c >> 6 & 0x3F));
      put(0x80 | (c & 0x3F));
    }
  }
  return bytes;
}

std::string Utf16(std::u16string_view text, bool bigEndian) {
  std::string bytes;
  for (const char16_t unit : text) {
    const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
    bytes += bigEndian ? high : low;
    bytes += bigEndian ? low : high;
  }
  return bytes;
}

// The lines from the first, " | " between two, each indexed occurrence of length in brackets.
std::string Marked(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                   size_t length, size_t first = 0) {
  std::string shown;
  int64_t lineStart = 0;
  for (size_t k = 0; k < lines.size(); ++k) {
    std::string marked = lines[k];
    for (const int32_t offset : offsets.value_or(std::vector<int32_t>{}))
      if (offset >= lineStart && offset < lineStart + int64_t(marked.size()))
        marked.insert(size_t(offset - lineStart) + length, "]")
            .insert(size_t(offset - lineStart), "[");
    if (k >= first) shown += (shown.empty() ? "" : " | ") + marked;
    lineStart += int64_t(lines[k].size()) + LineBreakLength;
  }
  return shown;
}

// One file searched for text, and shown as the viewer shows it.
class TSearchAndShow {
public:
  TSearchAndShow() : FFile(FDisk.AddFile("C:\\f.txt")) {}

  // Whether the search lists the file; then the viewer's lines, " | " between two, each
  // indexed occurrence in brackets.
  bool Found(const std::string& bytes, const std::string& text) {
    FFile.Content = bytes;
    FEngine.Search({"C:\\", "f.txt", text, false});
    return FEngine.FoundFiles().size() == 1;
  }
  TOccurrenceOffsets Show(const std::string& text) {
    return LoadIndexedText(FLines, MemoryPath("C:\\f.txt"), text, Page(), UINT64_MAX).Offsets;
  }
  std::string Shown(const std::string& text) {
    const TOccurrenceOffsets offsets = Show(text);
    return Marked(FLines.Lines(), offsets, text.size());
  }
  TExcerpt Excerpt(const std::string& bytes, const std::string& text) {
    FFile.Content = bytes;
    return *LoadExcerpt(FLines, MemoryPath("C:\\f.txt"), text, Page(), [] { return false; });
  }

private:
  TMemoryFileSystem FDisk;
  TMemoryFileSystem::TEntry& FFile;
  TSearchEngine FEngine{FDisk, TFormatSettings(), Page()};
  TLineBuffer FLines{FDisk};
};

} // namespace

// The same text in eight forms, against three texts and '?': a shown mark in brackets means
// the search lists the file; without one it does not, and the viewer shows the file as it
// always did.
TEST(UnicodeRuleTest, EightFormsFoundAndShown) {
  const std::u16string text = Wide("C'est L'ÉTÉ à Noël, cœur\r\nligne deux");
  const std::u16string lacking = Wide("cœur ") + u'\u2603' + Wide(" ligne");
  const std::string texts[] = {"été", "CŒUR", "ligne", "?"};
  const struct {
    const char* Form;
    std::string Bytes;
    const char* Shown[4];
  } rows[] = {
      {"ANSI",
       "C'est L'ÉTÉ à Noël, cœur\r\nligne deux",
       {"C'est L'[ÉTÉ] à Noël, cœur | ligne deux", "C'est L'ÉTÉ à Noël, [cœur] | ligne deux",
        "C'est L'ÉTÉ à Noël, cœur | [ligne] deux", "C'est L'ÉTÉ à Noël, cœur | ligne deux"}},
      {"UTF-8",
       Utf8(text),
       {"C'est L'[ÉTÉ] à Noël, cœur | ligne deux", "C'est L'ÉTÉ à Noël, [cœur] | ligne deux",
        "C'est L'ÉTÉ à Noël, cœur | [ligne] deux",
        "C'est L'Ã‰TÃ‰ \xC3\xA0 NoÃ«l, cÅ“ur | ligne deux"}},
      {"UTF-8 with mark",
       "\xEF\xBB\xBF" + Utf8(text),
       {"C'est L'[ÉTÉ] à Noël, cœur | ligne deux", "C'est L'ÉTÉ à Noël, [cœur] | ligne deux",
        "C'est L'ÉTÉ à Noël, cœur | [ligne] deux",
        "ï»¿C'est L'Ã‰TÃ‰ \xC3\xA0 NoÃ«l, cÅ“ur | ligne deux"}},
      {"UTF-16 LE with mark",
       Utf16(u'\uFEFF' + text, false),
       {"C'est L'[ÉTÉ] à Noël, cœur | ligne deux", "C'est L'ÉTÉ à Noël, [cœur] | ligne deux",
        "C'est L'ÉTÉ à Noël, cœur | [ligne] deux", "ÿþC"}},
      {"UTF-16 BE with mark",
       Utf16(u'\uFEFF' + text, true),
       {"C'est L'[ÉTÉ] à Noël, cœur | ligne deux", "C'est L'ÉTÉ à Noël, [cœur] | ligne deux",
        "C'est L'ÉTÉ à Noël, cœur | [ligne] deux", "þÿ"}},
      {"UTF-16 LE without mark", Utf16(text, false), {"C", "C", "C", "C"}},
      {"Windows-1252 whose bytes are valid UTF-8",
       "Ã‰tÃ© ligne",
       {"[Été] ligne", "Ã‰tÃ© ligne", "Été [ligne]", "Ã‰tÃ© ligne"}},
      {"a character the code page lacks",
       Utf8(lacking),
       {"cÅ“ur â˜ƒ ligne", "[cœur] ? ligne", "cœur ? [ligne]", "cÅ“ur â˜ƒ ligne"}},
  };
  TSearchAndShow file;
  for (const auto& row : rows) {
    for (size_t t = 0; t < std::size(texts); ++t) {
      SCOPED_TRACE(std::string(row.Form) + " / " + texts[t]);
      const std::string shown = row.Shown[t];
      EXPECT_EQ(file.Found(row.Bytes, texts[t]), shown.find('[') != std::string::npos);
      EXPECT_EQ(file.Shown(texts[t]), shown);
    }
  }
}

// A file too large to show whole shows the lines of the same text as a whole file would.
TEST(UnicodeRuleTest, TheExcerptOfABigFileReadsTheSameText) {
  const std::u16string text = Wide("L'ÉTÉ ") + u'\u2603' + Wide("\r\nligne");
  const struct {
    const char* Form;
    std::string Bytes, Text;
    const char* Shown; // the pane's lines after the notice
  } rows[] = {
      {"UTF-16 LE with mark", Utf16(u'\uFEFF' + text, false), "été", "1 : L'[ÉTÉ] ?"},
      {"UTF-8", Utf8(text), "LIGNE", "2 : [ligne]"},
      {"UTF-8, where no character the code page lacks is a '?'", Utf8(text), "?", ""},
      {"ANSI", "L'ÉTÉ ?\r\nligne", "?", "1 : L'ÉTÉ [?]"},
      {"UTF-16 LE without mark", Utf16(text, false), "", "1 : L"},
  };
  TSearchAndShow file;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Form);
    const TExcerpt excerpt = file.Excerpt(row.Bytes, row.Text);
    EXPECT_EQ(Marked(excerpt.Lines(), excerpt.OccurrenceOffsets(), row.Text.size(), 1), row.Shown);
  }
}

namespace {
// Files of random characters in random forms, some broken, and texts of letters that differ
// by case or accent.
struct TRandomFiles {
  std::mt19937 Random;

  template <class TList> auto Pick(const TList& from) {
    return from[std::uniform_int_distribution<size_t>(0, from.size() - 1)(Random)];
  }
  std::u16string Characters(size_t maxLength) {
    // With a NUL and surrogate halves, which no literal holds.
    static const std::u16string alphabet =
        u"aA\u00E9\u00C9 \r\n\u0153?\u2603\u00FF\u0178\u20AC" +
        std::u16string{u'\0', char16_t(0xD83D), char16_t(0xDE00)};
    std::u16string text(std::uniform_int_distribution<size_t>(0, maxLength)(Random), u' ');
    for (char16_t& c : text)
      c = Pick(alphabet);
    return text;
  }
  std::string File() {
    const int form = std::uniform_int_distribution<int>(0, 5)(Random);
    std::u16string characters = Characters(20);
    if (Random() % 8 == 0) // now and then where a decoded file's first read ends
      characters.insert(
          0, TDecodedReader::FirstBlockSize / (form == 2 || form == 3 ? 2 : 1) - Random() % 16,
          u'x');
    std::string bytes;
    switch (form) {
    case 0: bytes = Utf8(characters); break;
    case 1: bytes = "\xEF\xBB\xBF" + Utf8(characters); break;
    case 2: bytes = Utf16(u'\uFEFF' + characters, false); break;
    case 3: bytes = Utf16(u'\uFEFF' + characters, true); break;
    default: // the code page's own bytes
      for (const char16_t c : characters)
        bytes += static_cast<char>(Page().FromUnicode(c) ? Page().FromUnicode(c) : 'x');
    }
    if (!bytes.empty() && Random() % 4 == 0) // a broken sequence, or bytes cut short
      bytes[Random() % bytes.size()] = static_cast<char>(Random());
    return bytes;
  }
  std::string Text() {
    static const std::vector<std::string> letters = {"a", "A", "é", "É", "œ", "?", " ", "ÿ", "€"};
    std::string text = Pick(letters);
    for (int n = std::uniform_int_distribution<int>(0, 2)(Random); n > 0; --n)
      text += Pick(letters);
    return text;
  }
};

// The decoded text of a whole file held in memory, as the plain reference.
bool DecodedHolds(const std::string& bytes, const std::string& text) {
  TFormProbe probe(true);
  probe.Add(bytes);
  if (probe.Form() == tfAnsi) return false;
  TUnicodeRule rule(text, Page());
  TUnicodeDecoder decoder(probe.Form(), Page(), rule.Lacking());
  std::string decoded;
  decoder.Add(bytes, decoded);
  decoder.Finish(decoded);
  return PlainContainsText(decoded, text, Page());
}
} // namespace

// Every file the bytes hold the text in is still found; beyond them, exactly the Unicode files
// whose decoded text holds it; and the viewer marks an occurrence in every file found.
TEST(UnicodeRuleTest, ByteFindsKeptAndEveryFindShownMarked) {
  const unsigned seed = 20261209;
  std::cout << "seed " << seed << "\n";
  TRandomFiles random{std::mt19937(seed)};
  TSearchAndShow file;
  int byBytes = 0, beyond = 0;
  for (int i = 0; i < 5000; ++i) {
    const std::string bytes = random.File(), text = random.Text();
    SCOPED_TRACE(testing::Message() << "case " << i << " text " << testing::PrintToString(text)
                                    << " file " << testing::PrintToString(bytes));
    const bool inBytes = PlainContainsText(bytes, text, Page());
    const bool found = file.Found(bytes, text);
    ASSERT_EQ(found, inBytes || DecodedHolds(bytes, text));
    ASSERT_EQ(file.Show(text).has_value(), found);
    byBytes += inBytes;
    beyond += found && !inBytes;
  }
  EXPECT_GT(byBytes, 200); // both kinds of finds are well represented
  EXPECT_GT(beyond, 200);
}
