#include "ViewerWindow.h"
#include "support/FilePath.h"

#include "base/SysUtils.h"
#include "support/MessagePump.h"
#include "support/MouseInput.h"
#include "support/PaneReading.h"
#include "support/TempFolder.h"
#include "support/TestForm.h"
#include "toolkit/Align.h"
#include "viewer/Navigation.h"

#include <gtest/gtest.h>
#include <richedit.h>

#include <fstream>

namespace {
CHARRANGE Selection(HWND pane) {
  CHARRANGE range{};
  SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

void Click(const TSpeedButton& button) {
  Click(button.Handle(), 5, 5);
}

class ViewerTest : public testing::Test {
protected:
  HWND Pane() const { return Window.mmLignesConcernees.Handle(); }
  void Load(const std::string& bytes, const std::string& text) {
    Window.ContentText = text;
    Window.Viewer.LoadFileIntoViewer(PlatformPath(Folder.Write("f.txt", bytes)));
  }
  // The selection, the counter and the label after a step to the given occurrence.
  void ExpectShown(int32_t occurrence, int32_t position, int32_t length, const char* counter) {
    SCOPED_TRACE(counter);
    EXPECT_EQ(Window.Viewer.CurrentOccurrence(), occurrence);
    const CHARRANGE selection = Selection(Pane());
    EXPECT_EQ(selection.cpMin, position);
    EXPECT_EQ(selection.cpMax, position + length);
    EXPECT_EQ(Window.stnNbOccur.Text(), counter);
    EXPECT_EQ(Window.stLigCour.Text(),
              LineLabelText(int(SendMessageA(Pane(), EM_LINEFROMCHAR, position, 0))));
    EXPECT_EQ(GetFocus(), Pane());
  }

  TTempFolder Folder;
  TViewerWindow Window;
};
} // namespace

TEST_F(ViewerTest, LoadShowsLinesMarksFirstOccurrencePerLineAndIndexesThem) {
  std::string everyByte;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') everyByte += char(c);
  const std::string longLine = std::string(600, 'x') + "ab" + std::string(2400, 'y');
  const struct {
    const char* Name;
    std::string Bytes, Text, PaneText, Colours;
    TOccurrenceOffsets Offsets;
  } cases[] = {
      {"empty line between", "ab\r\n\r\nxab\r\n", "ab", "ab\r\n\r\nxab\r\n", "11||||011||",
       std::vector<int32_t>{0, 7}},
      {"last line without break", "abc\r\nxabc", "abc", "abc\r\nxabc\r\n", "111||0111||",
       std::vector<int32_t>{0, 6}},
      {"lone CR and lone LF", "a\rb\nab", "B", "a\r\nb\r\nab\r\n", "0||1||01||",
       std::vector<int32_t>{3, 7}},
      {"only the first of two", "xxABCxxabc", "abc", "xxABCxxabc\r\n", "0011100000||",
       std::vector<int32_t>{2}},
      {"accented capitals", "L'\xC9T\xC9 \xE9t\xE9", "\xE9t\xE9", "L'\xC9T\xC9 \xE9t\xE9\r\n",
       "001110000||", std::vector<int32_t>{2}},
      {"RTF syntax shown literally", "{\\rtf1\\ansi {\\b x}\\par }\\\r\n\\'41\\tab par", "par",
       "{\\rtf1\\ansi {\\b x}\\par }\\\r\n\\'41\\tab par\r\n",
       "0000000000000000000111000||000000000111||", std::vector<int32_t>{19, 36}},
      {"every byte but NUL and breaks", everyByte, "", everyByte + "\r\n",
       std::string(everyByte.size(), '0') + "||", std::nullopt},
      {"a line cut into runs", longLine, "AB", longLine + "\r\n",
       std::string(600, '0') + "11" + std::string(2400, '0') + "||", std::vector<int32_t>{600}},
      {"text ends at NUL", std::string("abc\0xyz", 7), "xyz", "abc\r\n", "000||", std::nullopt},
      {"UTF-16 decoded, a character the code page lacks as ?",
       std::string("\xFF\xFE\x03\x26 \0\xE9\0t\0\xE9\0", 12), "\xC9T\xC9", "? \xE9t\xE9\r\n",
       "00111||", std::vector<int32_t>{2}},
      {"empty content text", "abc\r\n", "", "abc\r\n", "000||", std::nullopt},
      {"no line holds it", "abc\r\n", "q", "abc\r\n", "000||", std::nullopt},
      {"empty file", "", "a", "", "", std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    Load(c.Bytes, c.Text);
    EXPECT_EQ(PaneText(Pane()), c.PaneText);
    EXPECT_EQ(Window.Viewer.OccurrenceOffsets(), c.Offsets);
    EXPECT_TRUE(IsWindowVisible(Pane())) << "drawing still held off";
    if (c.Offsets) {
      const auto count = int32_t(c.Offsets->size());
      ExpectShown(1, c.Offsets->front(), int32_t(c.Text.size()),
                  OccurrenceCounterText(1, count).c_str());
    } else {
      EXPECT_EQ(Window.stnNbOccur.Text(), "occurence 0/ 0");
      EXPECT_EQ(Selection(Pane()).cpMax, 0);
      EXPECT_EQ(Window.stLigCour.Text(), "Ligne : 0");
      EXPECT_EQ(GetFocus(), Pane());
    }
    EXPECT_EQ(Colours(Pane()), c.Colours);
  }
}

TEST_F(ViewerTest, ButtonsStepWithWrapAround) {
  Load("a\r\nxa\r\nb\r\nxxa\r\n", "a");
  const int32_t at[] = {0, 4, 12};
  ExpectShown(1, at[0], 1, "occurence 1/ 3");
  const struct {
    const TSpeedButton& Button;
    int32_t Expected;
  } steps[] = {{Window.btOccurSuiv, 2}, {Window.btOccurSuiv, 3}, {Window.btOccurSuiv, 1},
               {Window.btOccurPrec, 3}, {Window.btOccurPrec, 2}, {Window.btPremOccur, 1},
               {Window.btOccurPrec, 3}, {Window.btDernOccur, 3}, {Window.btPremOccur, 1},
               {Window.btDernOccur, 3}};
  for (const auto& step : steps) {
    SetFocus(Window.Handle());
    Click(step.Button);
    ExpectShown(step.Expected, at[step.Expected - 1], 1,
                OccurrenceCounterText(step.Expected, 3).c_str());
  }
}

TEST_F(ViewerTest, OneOccurrenceKeepsEveryButtonOnIt) {
  Load("xyz\r\nxya\r\n", "a");
  for (const TSpeedButton* button :
       {&Window.btPremOccur, &Window.btOccurPrec, &Window.btOccurSuiv, &Window.btDernOccur}) {
    SendMessageA(Pane(), EM_SETSEL, 0, 0);
    Click(*button);
    ExpectShown(1, 7, 1, "occurence 1/ 1");
  }
}

TEST_F(ViewerTest, WithoutOccurrenceAClickChangesNothing) {
  Load("a\r\nxa\r\n", "a");
  Click(Window.btOccurSuiv);
  Load("abc\r\n", "q");
  EXPECT_EQ(Window.Viewer.CurrentOccurrence(), 2) << "a load without occurrence keeps it";
  SendMessageA(Pane(), EM_SETSEL, 1, 2);
  SetFocus(Window.Handle());
  for (const TSpeedButton* button :
       {&Window.btPremOccur, &Window.btOccurPrec, &Window.btOccurSuiv, &Window.btDernOccur})
    Click(*button);
  EXPECT_EQ(Window.stnNbOccur.Text(), "occurence 0/ 0");
  EXPECT_EQ(Selection(Pane()).cpMin, 1);
  EXPECT_EQ(Selection(Pane()).cpMax, 2);
  EXPECT_EQ(GetFocus(), Window.Handle());
  EXPECT_EQ(Window.Viewer.CurrentOccurrence(), 2);
}

// The content box's text at each use: the load marks the new text, a step selects its length.
TEST_F(ViewerTest, TextEditedInTheBoxIsTheOneUsed) {
  Load("abcd\r\nxabcd\r\n", "abcd");
  Window.ContentText = "ab";
  Click(Window.btOccurSuiv);
  ExpectShown(2, 7, 2, "occurence 2/ 2");
  Window.ContentText = "";
  Click(Window.btOccurSuiv);
  ExpectShown(1, 0, 0, "occurence 1/ 2");
  Load("abcd\r\nxbcd\r\n", "bc");
  EXPECT_EQ(Window.Viewer.OccurrenceOffsets(), (std::vector<int32_t>{1, 7}));
}

// The target line comes to stand where the old selection's line stood.
TEST_F(ViewerTest, StepScrollsByTheLinesBetweenSelectionAndTarget) {
  std::string bytes;
  for (int line = 0; line < 200; ++line)
    bytes += line == 10 || line == 90 ? "cible\r\n" : "-\r\n";
  Load(bytes, "cible");
  auto firstVisible = [this] { return SendMessageA(Pane(), EM_GETFIRSTVISIBLELINE, 0, 0); };
  EXPECT_EQ(firstVisible(), 10);
  Click(Window.btOccurSuiv);
  EXPECT_EQ(firstVisible(), 90);
  SendMessageA(Pane(), EM_LINESCROLL, 0, -5); // the selection's line now stands 5 lower
  Click(Window.btOccurPrec);
  EXPECT_EQ(firstVisible(), 5);
  EXPECT_EQ(Window.stLigCour.Text(), "Ligne : 10");
}

TEST_F(ViewerTest, LabelCountsTheDisplayLinesOfAWrappedLine) {
  std::string longLine;
  while (longLine.size() < 150)
    longLine += "mot ";
  Load("court\r\n" + longLine + "\r\ncible\r\n", "cible");
  const auto lineStart = int32_t(7), nextStart = int32_t(7 + longLine.size() + 2);
  const int lastOfLong = int(SendMessageA(Pane(), EM_LINEFROMCHAR, nextStart - 3, 0));
  ASSERT_GE(lastOfLong, 2) << "the long line does not wrap";
  EXPECT_EQ(Window.stLigCour.Text(), LineLabelText(lastOfLong + 1));
  const struct {
    int32_t Position;
    int Line;
  } carets[] = {{0, 0}, {lineStart, 1}, {nextStart - 3, lastOfLong}, {nextStart, lastOfLong + 1}};
  for (const auto& caret : carets) {
    SCOPED_TRACE(caret.Position);
    SendMessageA(Pane(), EM_SETSEL, caret.Position, caret.Position);
    EXPECT_EQ(Window.stLigCour.Text(), LineLabelText(caret.Line));
  }
}

TEST_F(ViewerTest, FileThatCannotBeOpenedLeavesAnEmptyPaneAndInertButtons) {
  const std::string missing = Folder.Path() + "\\absent.txt";
  Load("a\r\nxa\r\n", "a");
  SetFocus(Window.Handle());
  try {
    Window.Viewer.LoadFileIntoViewer(PlatformPath(missing));
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Ne peut ouvrir le fichier " + missing);
  }
  EXPECT_EQ(PaneText(Pane()), "");
  EXPECT_FALSE(Window.Viewer.OccurrenceOffsets());
  EXPECT_EQ(Window.stnNbOccur.Text(), "occurence 0 / 0"); // as at start, with the empty pane
  EXPECT_EQ(Window.stLigCour.Text(), "");
  EXPECT_EQ(GetFocus(), Window.Handle());
  EXPECT_TRUE(IsWindowVisible(Pane())) << "drawing still held off";
  Click(Window.btOccurSuiv);
  EXPECT_EQ(Window.stnNbOccur.Text(), "occurence 0 / 0");
  EXPECT_EQ(GetFocus(), Window.Handle());
}

namespace {
// Line k (1-based) of a log of 100-byte lines; every hundredth holds "Cible", 16 bytes in.
std::string LogLine(int k) {
  std::string line = Format("%07d INFO %s", k, k % 100 ? "une ligne banale" : "la Cible du jour");
  line.resize(98, '.');
  return line + "\r\n";
}

// A log of lines lines, a NUL after the first nulAfter of them when given; its path.
std::string WriteLog(const std::string& path, int lines, int nulAfter = 0) {
  std::ofstream out(path, std::ios::binary);
  std::string chunk;
  for (int k = 1; k <= lines; ++k) {
    chunk += LogLine(k);
    if (k == nulAfter) chunk += '\0';
    if (chunk.size() >= (1 << 20) || k == lines) {
      out << chunk;
      chunk.clear();
    }
  }
  return path;
}

std::vector<std::string> PaneLines(HWND pane) {
  std::vector<std::string> lines;
  const std::string text = PaneText(pane);
  for (size_t start = 0, end; (end = text.find("\r\n", start)) != std::string::npos;
       start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}
} // namespace

// Past the show limit the pane shows a notice, then the lines holding the text after their
// numbers in the file, marked and walked as in any file; the reading ends at the first NUL.
TEST_F(ViewerTest, BigFileShowsItsMatchingLinesNumberedAndMarked) {
  const struct {
    const char* Name;
    int Lines, NulAfter, Shown, Read;
  } rows[] = {
      {"12 MB, a NUL after line 100,050", 120000, 100050, 1000, 100050},
      {"200 MB", 2000000, 0, 20000, 2000000},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    const std::string path = WriteLog(Folder / "big.log", row.Lines, row.NulAfter);
    Window.ContentText = "cible";
    Window.Viewer.LoadFileIntoViewer(PlatformPath(path));
    const std::string notice = Format("Fichier trop volumineux : seules les lignes contenant le "
                                      "texte sont affichées (%d lignes sur %d).",
                                      row.Shown, row.Read);
    const std::vector<std::string> lines = PaneLines(Pane());
    ASSERT_EQ(lines.size(), size_t(row.Shown) + 1);
    EXPECT_EQ(lines[0], notice);
    const TOccurrenceOffsets& offsets = Window.Viewer.OccurrenceOffsets();
    ASSERT_TRUE(offsets);
    ASSERT_EQ(offsets->size(), size_t(row.Shown));
    const struct {
      int Occurrence;
      const TSpeedButton& Button;
    } walk[] = {{row.Shown, Window.btDernOccur},
                {1, Window.btOccurSuiv},
                {row.Shown, Window.btOccurPrec},
                {1, Window.btPremOccur}};
    for (const auto& step : walk) {
      const int number = step.Occurrence * 100;
      const std::string prefix = Format("%d : ", number);
      const std::string& line = lines[size_t(step.Occurrence)];
      EXPECT_EQ(line, prefix + LogLine(number).substr(0, 98));
      const auto start = int32_t(PaneText(Pane()).find(line));
      const auto mark = start + int32_t(prefix.size()) + 16;
      EXPECT_EQ((*offsets)[size_t(step.Occurrence - 1)], mark);
      EXPECT_EQ(Colours(Pane(), size_t(start), size_t(start) + line.size()),
                std::string(prefix.size() + 16, '0') + "11111" + std::string(77, '0'));
      Click(step.Button);
      ExpectShown(step.Occurrence, mark, 5,
                  OccurrenceCounterText(step.Occurrence, row.Shown).c_str());
    }
    EXPECT_EQ(Colours(Pane(), 0, notice.size()), std::string(notice.size(), '0'));
  }

  Window.ContentText = "";
  Window.Viewer.LoadFileIntoViewer(PlatformPath(Folder / "big.log"));
  const std::vector<std::string> lines = PaneLines(Pane());
  ASSERT_GT(lines.size(), 1000u);
  EXPECT_EQ(lines[0], Format("Fichier trop volumineux : seules les %d premières lignes sont "
                             "affichées.",
                             int(lines.size()) - 1));
  for (const size_t k : {size_t(1), size_t(100), lines.size() - 1})
    EXPECT_EQ(lines[k], Format("%d : ", int(k)) + LogLine(int(k)).substr(0, 98));
  EXPECT_FALSE(Window.Viewer.OccurrenceOffsets());
  EXPECT_EQ(Window.stnNbOccur.Text(), "occurence 0/ 0");
}

// A text without line breaks is never held whole: the excerpt ends at a line too long to show,
// the lines after it unread.
TEST_F(ViewerTest, LineTooLongToShowEndsTheExcerpt) {
  {
    std::ofstream out(Folder / "one-line.txt", std::ios::binary);
    const std::string chunk(1 << 20, 'x');
    for (int k = 0; k < 64; ++k)
      out << chunk;
    out << "\r\ncible\r\n";
  }
  Window.ContentText = "cible";
  Window.Viewer.LoadFileIntoViewer(PlatformPath(Folder / "one-line.txt"));
  EXPECT_EQ(PaneLines(Pane()), std::vector<std::string>{"Fichier trop volumineux : seules les 0 "
                                                        "premières lignes contenant le texte sont "
                                                        "affichées."});
}

// A load replaces the pane by a fresh one: it must keep the old one's place in every respect.
TEST_F(ViewerTest, FreshPaneKeepsPlaceStyleTabOrderIdAndFont) {
  HWND before = Pane();
  RECT place;
  GetWindowRect(before, &place);
  const LONG_PTR style = GetWindowLongPtrA(before, GWL_STYLE);
  HWND next = GetWindow(before, GW_HWNDNEXT);
  Load("abc\r\n", "b");
  ASSERT_NE(Pane(), before);
  EXPECT_FALSE(IsWindow(before));
  RECT now;
  GetWindowRect(Pane(), &now);
  EXPECT_TRUE(EqualRect(&place, &now));
  EXPECT_EQ(GetWindowLongPtrA(Pane(), GWL_STYLE), style);
  EXPECT_EQ(GetWindow(Pane(), GW_HWNDNEXT), next);
  EXPECT_EQ(GetDlgCtrlID(Pane()), 1);
  EXPECT_EQ(style & (ES_READONLY | ES_MULTILINE | WS_HSCROLL | ES_NOHIDESEL | ES_AUTOHSCROLL),
            ES_READONLY | ES_MULTILINE | ES_NOHIDESEL);
  Load(std::string(40, '\n'), "b");
  EXPECT_TRUE(GetWindowLongPtrA(Pane(), GWL_STYLE) & WS_VSCROLL) << "no vertical scroll bar";
  SendMessageA(Pane(), EM_SETSEL, 0, 3);
  CHARFORMATA format{};
  format.cbSize = sizeof format;
  SendMessageA(Pane(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
  EXPECT_STREQ(format.szFaceName, "Courier New");
  EXPECT_EQ(format.yHeight, 195); // twips: 13 pixels at 96 dots per inch
  EXPECT_EQ(format.bCharSet, ANSI_CHARSET);
}

TEST(RichEditPaneTest, FreshPaneKeepsFollowingItsAlignedParent) {
  TTestForm form(400, 300);
  TRichEditPane pane(form.Handle(), {0, 0, 400, 300}, 1);
  SetAlign(pane.Handle(), alClient);
  pane.Clear();
  SetWindowPos(form.Handle(), nullptr, 0, 0, 500, 400, SWP_NOMOVE | SWP_NOZORDER);
  RECT client, place;
  GetClientRect(form.Handle(), &client);
  GetClientRect(pane.Handle(), &place);
  MapWindowPoints(pane.Handle(), form.Handle(), reinterpret_cast<POINT*>(&place), 2);
  InflateRect(&place, 2, 2); // the sunken edge
  EXPECT_EQ(place, client);
}
