#include "viewer/RtfWriter.h"

#include <gtest/gtest.h>

#include <cctype>

namespace {
// What a reader of the document sees: its text and, per character, its colour-table entry.
struct TRtfText {
  std::string Text;
  std::string Colours; // '0' automatic, '1' blue
};

// A small reader of the RTF subset the writer may use; it skips the font and colour tables.
class TRtfReader {
public:
  explicit TRtfReader(const std::string& rtf) : FRtf(rtf) {}

  TRtfText Read() {
    TRtfText result;
    std::vector<std::pair<char, bool>> groups; // colour and "skipped", per open group
    char colour = '0';
    bool skipped = false;
    while (FPos < FRtf.size()) {
      const char c = FRtf[FPos++];
      if (c == '{') {
        groups.push_back({colour, skipped});
      } else if (c == '}') {
        EXPECT_FALSE(groups.empty()) << "unbalanced } at " << FPos;
        if (groups.empty()) break;
        std::tie(colour, skipped) = groups.back();
        groups.pop_back();
      } else if (c == '\r' || c == '\n') {
      } else if (c != '\\') {
        Emit(result, c, colour, skipped);
      } else if (FRtf[FPos] == '\'') {
        Emit(result, char(std::stoi(FRtf.substr(FPos + 1, 2), nullptr, 16)), colour, skipped);
        FPos += 3;
      } else if (!std::isalpha(static_cast<unsigned char>(FRtf[FPos]))) {
        Emit(result, FRtf[FPos++], colour, skipped);
      } else {
        const std::string word = ControlWord();
        if (word == "fonttbl" || word == "colortbl")
          skipped = true;
        else if (word == "par")
          Emit(result, "\r\n", colour, skipped);
        else if (word == "tab")
          Emit(result, '\t', colour, skipped);
        else if (word.starts_with("cf"))
          colour = word[2];
      }
    }
    EXPECT_TRUE(groups.empty()) << "unclosed group";
    return result;
  }

private:
  // A control word with its number; a blank after it belongs to it.
  std::string ControlWord() {
    const size_t start = FPos;
    while (FPos < FRtf.size() && std::isalnum(static_cast<unsigned char>(FRtf[FPos])))
      ++FPos;
    const std::string word = FRtf.substr(start, FPos - start);
    if (FPos < FRtf.size() && FRtf[FPos] == ' ') ++FPos;
    return word;
  }
  static void Emit(TRtfText& to, std::string_view text, char colour, bool skipped) {
    if (skipped) return;
    to.Text += text;
    to.Colours.append(text.size(), colour);
  }
  static void Emit(TRtfText& to, char c, char colour, bool skipped) {
    Emit(to, std::string_view(&c, 1), colour, skipped);
  }

  const std::string& FRtf;
  size_t FPos = 0;
};

TRtfText ReadBack(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                  size_t markLength) {
  const std::string rtf = MarkedLinesRtf(lines, offsets, markLength, 1252, 0xFFFFFF);
  return TRtfReader(rtf).Read();
}
} // namespace

// A reader sees one more line break at the end: the control drops the document's last one.
TEST(RtfWriterTest, EveryByteShowsAsItself) {
  std::string line;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') line += char(c);
  const std::vector<std::string> lines = {line, "{\\rtf1\\ansi {\\b x}\\par }\\", "\\'41\\tab"};
  const TRtfText read = ReadBack(lines, std::nullopt, 0);
  EXPECT_EQ(read.Text, lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n\r\n");
  EXPECT_EQ(read.Colours, std::string(read.Text.size(), '0'));
}

TEST(RtfWriterTest, MarksEachIndexedRunInBlue) {
  struct {
    const char* Name;
    std::vector<std::string> Lines;
    std::vector<int32_t> Offsets;
    size_t MarkLength;
    const char* Colours; // of the lines' characters and breaks, without the last break
  } const cases[] = {
      {"ab, empty, xab", {"ab", "", "xab"}, {0, 7}, 2, "11000001100"},
      {"only the first run", {"xxABCxxabc"}, {2}, 3, "001110000000"},
      {"clipped to the line", {"xab", "ab"}, {1, 5}, 5, "011001100"},
      {"syntax inside the run", {"a{\\}b"}, {1}, 3, "0111000"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const TRtfText read = ReadBack(c.Lines, c.Offsets, c.MarkLength);
    EXPECT_EQ(read.Colours, std::string(c.Colours) + "00");
    std::string text;
    for (const std::string& line : c.Lines)
      text += line + "\r\n";
    EXPECT_EQ(read.Text, text + "\r\n");
  }
}

// A long line is cut into runs of another look; its text and its mark are unchanged, even
// where a cut falls inside the mark or next to an escaped byte.
TEST(RtfWriterTest, ALongLineKeepsItsTextAndMarkAcrossItsRuns) {
  std::string line;
  for (int k = 0; k < 1000; ++k)
    line += "ab{\\\t\xE9"[k % 6];
  const TRtfText read = ReadBack({line, "x"}, std::vector<int32_t>{250}, 10);
  EXPECT_EQ(read.Text, line + "\r\nx\r\n\r\n");
  EXPECT_EQ(read.Colours, std::string(250, '0') + std::string(10, '1') + std::string(747, '0'));
}
