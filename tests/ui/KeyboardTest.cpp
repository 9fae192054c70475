#include "MainWindowFixture.h"

#include "support/KeyInput.h"
#include "support/TestForm.h"

#include <richedit.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {
// Another program's handle on a file, closed with the test.
using THeldFile = std::unique_ptr<void, decltype(&CloseHandle)>;

CHARRANGE Selection(HWND pane) {
  CHARRANGE range{};
  SendMessageA(pane, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
  return range;
}

// Whether the character at position shows selected on screen (the system may draw a
// selection in its colours or inverted), where the blank before it shows the window's colour.
bool ShownSelected(HWND pane, int32_t position) {
  auto corner = [pane](int32_t p) {
    POINTL at{};
    SendMessageA(pane, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&at), p);
    return ScreenPixel(pane, at.x + 1, at.y + 1);
  };
  const COLORREF window = GetSysColor(COLOR_WINDOW);
  return corner(position - 1) == window && corner(position) != window;
}
} // namespace

// Round once both ways, with a file in the viewer: loading it replaces the pane's window.
TEST_F(MainWindowTest, TabAndShiftTabGoRoundTheControlsInTheLayoutsOrder) {
  StartIn({{"a.txt", "mot\r\n"}});
  EXPECT_EQ(FocusedControl(), Form->cbFichiers.Handle()) << "the first of the tab order at start";
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  Form->cbFichiers.SetFocus();
  const std::vector<HWND> order = {Form->cbFichiers.Handle(),   Form->cbContenant.Handle(),
                                   Form->tvRep.Handle(),        Form->cbInclSsDos.Handle(),
                                   Form->btRechercher.Handle(), Form->edAtteindre.Handle(),
                                   Form->btOuvrir.Handle(),     Form->btExplorateur.Handle(),
                                   Form->grFic.Handle(),        Form->mmLignesConcernees.Handle()};
  for (size_t k = 1; k <= order.size(); ++k) {
    SCOPED_TRACE(k);
    PressKeys({VK_TAB});
    EXPECT_EQ(FocusedControl(), order[k % order.size()]);
  }
  for (size_t k = order.size(); k-- > 0;) {
    SCOPED_TRACE(k);
    PressKeys({VK_SHIFT, VK_TAB});
    EXPECT_EQ(FocusedControl(), order[k]);
  }
  EXPECT_EQ(ViewerText(), "mot\r\n");
}

TEST_F(MainWindowTest, AltLettersFocusTheirBoxesToggleTheCheckBoxAndSearch) {
  StartIn({{"a.txt", "x"}});
  const struct {
    WORD letter;
    HWND focused;
  } focusing[] = {{'C', Form->cbContenant.Handle()},
                  {'D', Form->tvRep.Handle()},
                  {'A', Form->edAtteindre.Handle()},
                  {'F', Form->cbFichiers.Handle()}};
  for (const auto& c : focusing) {
    SCOPED_TRACE(static_cast<char>(c.letter));
    PressKeys({VK_MENU, c.letter});
    EXPECT_EQ(FocusedControl(), c.focused);
  }
  PressKeys({VK_MENU, 'I'});
  EXPECT_EQ(FocusedControl(), Form->cbInclSsDos.Handle());
  EXPECT_FALSE(Form->cbInclSsDos.Checked());
  PressKeys({VK_MENU, 'R'});
  EXPECT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(FocusedControl(), Form->grFic.Handle());
}

// A character that the code page lacks, pasted or typed, reaches the box as itself: the search
// is refused with one box, before the last search's list, count, viewer or histories change.
TEST_F(MainWindowTest, ABoxTextTheCodePageLacksIsRefusedAndTheLastSearchStays) {
  StartIn({{"a.txt", "mot a\r\n"}, {"b.txt", "mot ab ?\r\n"}});
  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  const std::string count = CaptionOf(Form->stnNbFic.Handle()), viewer = ViewerText();
  const struct {
    WORD letter;
    TComboBox& box;
    std::function<void()> enter;
    std::wstring held;
    const char* message;
  } rows[] = {
      {'C', Form->cbContenant,
       [] {
         PressKeys({VK_CONTROL, 'V'});
       },
       L"\u03b1", "'?' dans Contenant : caractère absent de la page de code à (1)"},
      {'F', Form->cbFichiers, [] { TypeKeys(L"*\u00e9?\u03a9"); }, L"*\u00e9?\u03a9",
       "'*é?\?' dans Fichiers : caractère absent de la page de code à (4)"},
  };
  ASSERT_TRUE(OpenClipboard(Form->Handle()));
  EmptyClipboard();
  const HGLOBAL alpha = GlobalAlloc(GMEM_MOVEABLE, sizeof L"\u03b1");
  std::memcpy(GlobalLock(alpha), L"\u03b1", sizeof L"\u03b1");
  GlobalUnlock(alpha);
  SetClipboardData(CF_UNICODETEXT, alpha);
  CloseClipboard();
  Boxes.WhileShown = ShowRealBoxClosedByEnter;
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    row.box.SetText("");
    PressKeys({VK_MENU, row.letter});
    row.enter();
    EXPECT_EQ(row.box.WideText(), row.held);
    Boxes.Shown.clear();
    PressKeys({VK_MENU, 'R'});
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, row.message);
    EXPECT_EQ(Form->grFic.Rows(), 2);
    EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), count);
    EXPECT_EQ(ViewerText(), viewer);
    EXPECT_EQ(ItemsOf(Form->cbContenant), std::vector<std::string>{"mot"});
    EXPECT_EQ(Form->cbFichiers.ItemCount(), 0);
    EXPECT_EQ(FocusedControl(), row.box.Handle());
  }
  // A file chosen meanwhile, "α" still in the box, shows with nothing marked: no "?" stands for
  // it.
  Form->cbFichiers.SetText("");
  TypeIn('A', "b");
  EXPECT_EQ(ViewerText(), "mot ab ?\r\n");
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), NoOccurrenceText);
}

// The grid's arrows and the go-to box keep the focus through the loads they cause, and the
// viewer still shows its current occurrence; Tab into the viewer keeps it selected.
TEST_F(MainWindowTest, KeysThatChooseARowKeepTheFocusAndTheOccurrenceShows) {
  std::string lines;
  for (int k = 0; k < 60; ++k)
    lines += "ligne\r\n";
  StartIn({{"alpha.txt", "mot\r\n"}, {"beta.txt", "mot\r\n"}, {"bravo.txt", lines + "le mot\r\n"}});
  const int32_t occurrence = 60 * 7 + 3;
  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 3);
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->grFic.SelectedRow(), 3);
  EXPECT_EQ(FocusedControl(), Form->grFic.Handle());

  TypeIn('A', "br"); // "b" alone goes to beta
  EXPECT_EQ(Form->grFic.SelectedRow(), 3);
  EXPECT_EQ(Form->edAtteindre.Text(), "br");
  EXPECT_EQ(FocusedControl(), Form->edAtteindre.Handle());
  const HWND pane = Form->mmLignesConcernees.Handle();
  EXPECT_EQ(Selection(pane).cpMin, occurrence);
  EXPECT_TRUE(ShownSelected(pane, occurrence)) << "scrolled into view and marked";

  for (int k = 0; k < 4; ++k) // past the two file buttons and the grid
    PressKeys({VK_TAB});
  ASSERT_EQ(FocusedControl(), pane);
  EXPECT_EQ(Selection(pane).cpMin, occurrence);
  EXPECT_EQ(Selection(pane).cpMax, occurrence + 3);
  EXPECT_EQ(CaptionOf(Form->stLigCour.Handle()),
            "Ligne : " + std::to_string(SendMessageA(pane, EM_LINEFROMCHAR, occurrence, 0)));
}

TEST_F(MainWindowTest, EnterSearchesOnTheFocusedButtonAndNowhereElse) {
  StartIn({{"a.txt", "x"}});
  for (HWND box :
       {Form->cbFichiers.Handle(), Form->cbContenant.Handle(), Form->edAtteindre.Handle()}) {
    SetFocus(box == Form->edAtteindre.Handle() ? box : GetWindow(box, GW_CHILD));
    PressKeys({VK_RETURN});
  }
  EXPECT_EQ(Form->grFic.Rows(), 0);
  Form->cbInclSsDos.SetFocus();
  PressKeys({VK_TAB});
  ASSERT_EQ(FocusedControl(), Form->btRechercher.Handle());
  PressKeys({VK_RETURN});
  EXPECT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(FocusedControl(), Form->grFic.Handle());
}

// F3 steps as the next button does, Shift+F3 as the previous, Ctrl+F3 and Ctrl+Shift+F3 as the
// first and the last, from the grid and from the go-to box alike; the grid's row and the focus
// stay, so that the next Down goes on in the list. A button clicked gives the pane the focus.
TEST_F(MainWindowTest, F3AndItsVariantsStepThroughTheOccurrencesAndLeaveTheFocusWhereItIs) {
  StartIn({{"a.txt", "mot\r\nrien\r\nun mot\r\nmot\r\n"}, {"b.txt", "mot\r\n"}});
  PressKeys({VK_F3});
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 0 / 0"); // nothing loaded yet
  EXPECT_EQ(FocusedControl(), Form->cbFichiers.Handle());
  EXPECT_EQ(Form->grFic.Rows(), 0); // and no search

  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  ASSERT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 3");
  const HWND grid = Form->grFic.Handle(), goTo = Form->edAtteindre.Handle();
  const HWND pane = Form->mmLignesConcernees.Handle();
  const struct {
    HWND focus;
    std::initializer_list<WORD> keys;
    const char* counter;
    int32_t selected; // where the occurrence starts
  } steps[] = {{grid, {VK_F3}, "occurence 2/ 3", 14},
               {grid, {VK_SHIFT, VK_F3}, "occurence 1/ 3", 0},
               {grid, {VK_SHIFT, VK_F3}, "occurence 3/ 3", 19},
               {goTo, {VK_F3}, "occurence 1/ 3", 0},
               {goTo, {VK_CONTROL, VK_SHIFT, VK_F3}, "occurence 3/ 3", 19},
               {goTo, {VK_SHIFT, VK_F3}, "occurence 2/ 3", 14},
               {grid, {VK_CONTROL, VK_F3}, "occurence 1/ 3", 0}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.counter);
    ::SetFocus(step.focus);
    PressKeys(step.keys);
    EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), step.counter);
    EXPECT_EQ(Selection(pane).cpMin, step.selected);
    EXPECT_EQ(Form->grFic.SelectedRow(), 1);
    EXPECT_EQ(Form->edAtteindre.Text(), "");
    EXPECT_EQ(FocusedControl(), step.focus);
  }
  PressKeys({VK_F3});
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->grFic.SelectedRow(), 2);
  EXPECT_EQ(ViewerText(), "mot\r\n");
  Click(Form->btOccurSuiv.Handle(), 5, 5);
  EXPECT_EQ(FocusedControl(), Form->mmLignesConcernees.Handle()); // a new pane for b.txt
}

// Alt+R from the tree, and the first file is held by another program: the box, then the keys
// go on in the list. Left in the tree, the next Down would change the next search's folder.
TEST_F(MainWindowTest, ASearchWhoseFirstFileCannotBeShownLeavesTheFocusInTheList) {
  Temp.Folder("docs\\sous");
  const std::string folder = StartIn({{"a.txt", "mot\r\n"}, {"b.txt", "mot\r\n"}});
  const std::string held = folder + "\\a.txt";
  const THeldFile locked(
      CreateFileA(held.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), &CloseHandle);
  Boxes.WhileShown = ShowRealBoxClosedByEnter;
  PressKeys({VK_MENU, 'D'});
  PressKeys({VK_MENU, 'R'}); // an empty text finds every file without reading it
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, "Ne peut ouvrir le fichier " + held + ".");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(FocusedControl(), Form->grFic.Handle());
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->grFic.SelectedRow(), 2);
  EXPECT_EQ(ViewerText(), "mot\r\n");
  EXPECT_EQ(Form->tvRep.SelectedPath(), folder);
}

// Folded away, a panel's controls are out of the keys' reach as they are out of sight: their
// Alt letters do nothing and Tab passes them by; unfolded, they answer again.
TEST_F(MainWindowTest, AFoldedPanelsControlsTakeNoAltLetterAndNoTab) {
  StartIn({{"a.txt", "mot\r\n"}});
  TypeIn('F', "*.txt");
  Click(Form->ExpColPanel2.ArrowImage().Handle(), 4, 4);
  ASSERT_EQ(Form->ExpColPanel2._PanelState(), psCollapsed);
  EXPECT_EQ(FocusedControl(), Form->edAtteindre.Handle()) << "the next control that shows";
  for (WORD letter : {'F', 'C', 'D', 'I', 'R'}) {
    SCOPED_TRACE(static_cast<char>(letter));
    PressKeys({VK_MENU, letter});
    EXPECT_EQ(FocusedControl(), Form->edAtteindre.Handle());
  }
  TypeKeys("a");
  EXPECT_EQ(Form->cbFichiers.Text(), "*.txt");
  EXPECT_TRUE(Form->cbInclSsDos.Checked());
  EXPECT_EQ(Form->grFic.Rows(), 0) << "no search with what the user cannot see";
  const std::vector<HWND> order = {Form->grFic.Handle(), Form->mmLignesConcernees.Handle(),
                                   Form->edAtteindre.Handle()};
  for (HWND next : order) {
    PressKeys({VK_TAB});
    EXPECT_EQ(FocusedControl(), next);
  }

  ::SetFocus(Form->grFic.Handle());
  Click(Form->ExpColPanel1.ArrowImage().Handle(), 4, 4);
  EXPECT_EQ(FocusedControl(), Form->mmLignesConcernees.Handle());
  PressKeys({VK_MENU, 'A'});
  PressKeys({VK_TAB});
  EXPECT_EQ(FocusedControl(), Form->mmLignesConcernees.Handle()) << "the one control left";

  Click(Form->ExpColPanel1.ArrowImage().Handle(), 4, 4);
  Click(Form->ExpColPanel2.ArrowImage().Handle(), 4, 4);
  PressKeys({VK_MENU, 'R'});
  EXPECT_EQ(Form->grFic.Rows(), 1);
  PressKeys({VK_MENU, 'F'});
  EXPECT_EQ(FocusedControl(), Form->cbFichiers.Handle());
}

// The tree read the folder's subfolders when it opened; F5 reads them again.
TEST_F(MainWindowTest, F5InTheTreeShowsAFolderMadeSinceTheStart) {
  Temp.Folder("docs\\ancien");
  const std::string parent = StartIn({});
  PressKeys({VK_MENU, 'D'});
  PressKeys({VK_RIGHT}); // opens the node
  const HWND tree = Form->tvRep.Handle();
  const auto children = [&] {
    std::vector<std::string> names;
    for (HTREEITEM c = Form->tvRep.FirstChild(TreeView_GetSelection(tree)); c;
         c = Form->tvRep.NextSibling(c))
      names.push_back(Form->tvRep.Text(c));
    return names;
  };
  ASSERT_EQ(children(), std::vector<std::string>{"ancien"});
  Temp.Folder("docs\\nouveau");
  PressKeys({VK_F5});
  EXPECT_EQ(children(), (std::vector<std::string>{"ancien", "nouveau"}));
  EXPECT_EQ(Form->tvRep.SelectedPath(), parent);
  EXPECT_EQ(FocusedControl(), tree);
  PressKeys({VK_DOWN});
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->tvRep.SelectedPath(), parent + "\\nouveau");
}

// The tree view under Wine kept Alt+F4 for itself: the window stayed.
TEST_F(MainWindowTest, AltF4ClosesTheWindowFromTheFolderTree) {
  Start();
  PressKeys({VK_MENU, 'D'});
  Close();
}
