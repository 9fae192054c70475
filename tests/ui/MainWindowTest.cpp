#include "MainWindowFixture.h"

#include "base/SysUtils.h"
#include "search/Masks.h"
#include "support/KeyInput.h"
#include "support/PaneReading.h"
#include "support/WineHost.h"
#include "toolkit/Application.h"
#include "viewer/ShowLimit.h"

#include <psapi.h>

#include <fstream>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {
// Another program's handle on a file, closed with the test.
using THeld = std::unique_ptr<void, decltype(&CloseHandle)>;

std::string ClientSizeOf(HWND window) {
  RECT r;
  GetClientRect(window, &r);
  return std::to_string(r.right) + " x " + std::to_string(r.bottom);
}
} // namespace

TEST_F(MainWindowTest, FirstStartWithoutSettingsShowsAnEmptyWindowAndWritesTheFileAtClose) {
  Start();
  EXPECT_EQ(CaptionOf(Form->Handle()), "Scrivane");
  EXPECT_EQ(ClientSizeOf(Form->Handle()), "824 x 514");
  EXPECT_EQ(Form->cbFichiers.ItemCount(), 0);
  EXPECT_EQ(Form->cbContenant.ItemCount(), 0);
  EXPECT_EQ(Form->tvRep.SelectedPath(), "");
  EXPECT_TRUE(Form->cbInclSsDos.Checked());
  EXPECT_EQ(Form->grFic.Rows(), 0);
  const char* headings[] = {"Fichier", "Dossier", "Taille", "Date Heure"};
  for (int k = 1; k <= 4; ++k) {
    SCOPED_TRACE(k);
    EXPECT_EQ(Form->grFic.Col(k).Heading(), headings[k - 1]);
    EXPECT_EQ(Form->grFic.Col(k).SortPicture(), spNone);
  }
  EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), "0 fichier(s)");
  EXPECT_EQ(SendMessageA(Form->tvRep.Handle(), WM_GETFONT, 0, 0),
            reinterpret_cast<LRESULT>(Form->Font.Handle()));
  Close();
  EXPECT_EQ(ReadSetting("GENERAL", "nNbFic"), "0");
  EXPECT_EQ(ReadSetting("GENERAL", "nNbCont"), "0");
  EXPECT_EQ(ReadSetting("GENERAL", "cRep"), "");
  EXPECT_TRUE(Boxes.Shown.empty());
}

TEST_F(MainWindowTest, ClosingRightAfterStartWritesBackTheSameHistoriesAndFolder) {
  const std::string folder = Temp.Folder("docs");
  WriteSetting("GENERAL", "nNbFic", "0x2");
  WriteSetting("Fichiers", "cFic1", "*.txt");
  WriteSetting("Fichiers", "cFic2", "*.txt");
  WriteSetting("Fichiers", "cFic3", "oublié");
  WriteSetting("GENERAL", "nNbCont", "1");
  WriteSetting("Contenant", "cCont1", "été");
  WriteSetting("GENERAL", "cRep", folder);
  Start();
  EXPECT_EQ(ItemsOf(Form->cbFichiers), (std::vector<std::string>{"*.txt", "*.txt"}));
  EXPECT_EQ(Form->cbFichiers.Text(), "");
  EXPECT_EQ(ItemsOf(Form->cbContenant), (std::vector<std::string>{"été"}));
  EXPECT_EQ(Form->tvRep.SelectedPath(), folder);
  Close();
  EXPECT_EQ(ReadSetting("GENERAL", "nNbFic"), "2");
  EXPECT_EQ(ReadSetting("Fichiers", "cFic2"), "*.txt");
  EXPECT_EQ(ReadSetting("Fichiers", "cFic3"), "<absent>");
  EXPECT_EQ(ReadSetting("Contenant", "cCont1"), "été");
  EXPECT_EQ(ReadSetting("GENERAL", "cRep"), folder);
}

// Under common controls 6 the box's own ANSI conversion overflowed past 511 characters.
TEST_F(MainWindowTest, HistoryEntriesOfAnyLengthGoThroughASearchAndBackToTheFile) {
  std::string stored;
  while (stored.size() < 1100)
    stored += "0123456789";
  WriteSetting("GENERAL", "nNbFic", "1");
  WriteSetting("Fichiers", "cFic1", stored);
  const std::string text(700, 't');
  Start();
  ASSERT_EQ(Form->cbFichiers.ItemCount(), 1);
  EXPECT_EQ(Form->cbFichiers.Item(0), stored.substr(0, 1023));
  Form->tvRep.SelectPath(Temp.Folder("docs"));
  TypeIn('F', "*.txt");
  SearchFor(text);
  EXPECT_TRUE(Boxes.Shown.empty());
  Close();
  EXPECT_EQ(ReadSetting("Fichiers", "cFic1"), stored.substr(0, 1023));
  EXPECT_EQ(ReadSetting("Fichiers", "cFic2"), "*.txt");
  EXPECT_EQ(ReadSetting("Contenant", "cCont1"), text);
}

// The files whose name matches and whose text holds the text in any letter case, listed by
// name, the first shown; the mask and the text join the histories once, and never empty.
TEST_F(MainWindowTest, AClickOnSearchListsTheMatchingFilesAndRemembersItsTextsOnce) {
  const std::string folder = StartIn({{"b.txt", "rien\r\nun Mot ici\r\n"},
                                      {"sous\\a.txt", "mot\r\n"},
                                      {"c.txt", "sans le terme\r\n"},
                                      {"d.log", "mot\r\n"}});
  const struct {
    const char *mask, *text;
    bool subfolders;
    std::vector<std::string> found;
    const char *firstFolder, *shown;
  } searches[] = {{"*.txt", "MOT", true, {"a.txt", "b.txt"}, "\\sous", "mot\r\n"},
                  {"*.TXT", "mot", true, {"a.txt", "b.txt"}, "\\sous", "mot\r\n"},
                  {"", "", false, {"b.txt", "c.txt", "d.log"}, "", "rien\r\nun Mot ici\r\n"}};
  for (const auto& search : searches) {
    SCOPED_TRACE(std::string(search.mask) + " / " + search.text);
    TypeIn('F', search.mask);
    TypeIn('C', search.text);
    if (Form->cbInclSsDos.Checked() != search.subfolders) PressKeys({VK_MENU, 'I'});
    Click(Form->btRechercher.Handle(), 40, 16);
    EXPECT_TRUE(Boxes.Shown.empty());
    EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()),
              std::to_string(search.found.size()) + " fichier(s)");
    std::vector<std::string> found;
    for (const auto& file : Form->FoundFiles())
      found.push_back(file->Name);
    EXPECT_EQ(found, search.found);
    ASSERT_EQ(Form->grFic.Rows(), static_cast<int>(search.found.size()));
    EXPECT_EQ(Form->FoundFiles()[0]->Folder, folder + search.firstFolder);
    EXPECT_EQ(Form->grFic.Col(1).SortPicture(), spBullet);
    EXPECT_EQ(Form->grFic.SelectedRow(), 1);
    EXPECT_EQ(ViewerText(), search.shown);
    EXPECT_EQ(GetFocus(), Form->grFic.Handle());
    EXPECT_EQ(ItemsOf(Form->cbFichiers), (std::vector<std::string>{"*.txt"}));
    EXPECT_EQ(ItemsOf(Form->cbContenant), (std::vector<std::string>{"MOT"}));
  }
}

// Notepad's UTF-8 and Windows-1252 hold the same line; an accented text typed finds both, and
// the UTF-8 one shows decoded, its occurrence in blue.
TEST_F(MainWindowTest, AnAccentedTextFindsAUtf8FileAndShowsItDecoded) {
  StartIn({{"ansi.txt", "C'est L'ÉTÉ à Noël, cœur\r\n"},
           {"utf8.txt", "C'est L'Ã‰TÃ‰ \xC3\xA0 NoÃ«l, cÅ“ur\r\n"}});
  SearchFor("été");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->FoundFiles()[1]->Name, "utf8.txt");
  EXPECT_EQ(Form->grFic.SelectedRow(), 2);
  EXPECT_EQ(ViewerText(), "C'est L'ÉTÉ à Noël, cœur\r\n");
  EXPECT_EQ(Colours(Form->mmLignesConcernees.Handle()),
            std::string(8, '0') + "111" + std::string(13, '0') + "||");
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 1");
}

// A folder that the code page cannot name shows as ?? and is chosen with the tree's keys; the
// search walks it by its own name and the viewer reads its files. A name typed in the go-to box
// goes to the name shown, Ω as ?, not to a look-alike O.
TEST_F(MainWindowTest, AFolderNamedOutsideTheCodePageIsChosenWithKeysAndSearched) {
  Temp.Write(L"docs\\\u65E5\u672C\\note.txt", "le mot\r\n");
  Temp.Write(L"docs\\\u65E5\u672C\\\u03A9mega.txt", "mot grec\r\n");
  Temp.Write(L"docs\\\u65E5\u672C\\Omega.txt", "mot latin\r\n");
  // autre.txt is found if docs is walked instead.
  const std::string folder = StartIn({{"autre.txt", "un mot ici\r\n"}});
  PressKeys({VK_MENU, 'D'});
  PressKeys({VK_RIGHT}); // opens docs
  PressKeys({VK_DOWN});
  EXPECT_EQ(Form->tvRep.SelectedPath(), folder + "\\??");
  SearchFor("mot");
  EXPECT_TRUE(Boxes.Shown.empty());
  ASSERT_EQ(Form->grFic.Rows(), 3);
  EXPECT_EQ(Form->FoundFiles()[0]->Folder, folder + "\\??") << "the Dossier column";
  const auto goTo = [this](const std::wstring& name, const char* shown, const char* text) {
    SCOPED_TRACE(shown);
    TypeIn('A', name);
    EXPECT_EQ(Form->FoundFiles()[Form->grFic.SelectedRow() - 1]->Name, shown);
    EXPECT_EQ(ViewerText(), text);
  };
  goTo(L"n", "note.txt", "le mot\r\n");
  goTo(L"\u03A9", "?mega.txt", "mot grec\r\n");
  goTo(L"O", "Omega.txt", "mot latin\r\n");
}

// An invalid mask empties the list and shows one box, under the pointer's own cursor rather than
// the search's; the count and the histories stay. Alt+R runs the search from the message loop,
// outside any window procedure: the real box takes the activation away and gives it back, and
// the user types on in the mask.
TEST_F(MainWindowTest, AnInvalidMaskShowsOneBoxAndTheUserTypesOnInTheMask) {
  StartIn({{"a.txt", "mot\r\n"}});
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  std::string expected;
  try {
    TMask("[a").MatchName("a.txt");
  } catch (const Exception& e) {
    expected = ErrorBoxText(e.Message());
  }
  ASSERT_FALSE(expected.empty());

  TypeIn('F', "[a");
  ASSERT_EQ(Form->cbFichiers.Text(), "[a");
  RECT box;
  GetClientRect(Form->edAtteindre.Handle(), &box);
  PointAt(Form->edAtteindre.Handle(), {box.right / 2, box.bottom / 2});
  POINT at;
  GetCursorPos(&at);
  ASSERT_EQ(WindowFromPoint(at), Form->edAtteindre.Handle());
  HCURSOR cursor = nullptr; // as the search leaves it, before any mouse move
  Boxes.WhileShown = [&] {
    cursor = GetCursor();
    ShowRealBoxClosedByEnter();
  };
  Search();
  ASSERT_EQ(Boxes.Shown.size(), 1u);
  EXPECT_EQ(Boxes.Shown[0].Text, expected);
  EXPECT_EQ(Boxes.Shown[0].Caption, Application().Title);
  EXPECT_EQ(cursor, LoadCursor(nullptr, IDC_IBEAM)) << "the box's own cursor, not the arrow";
  EXPECT_EQ(Form->grFic.Rows(), 0);
  EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), "1 fichier(s)");
  EXPECT_EQ(Form->cbFichiers.ItemCount(), 0);
  ASSERT_TRUE(Form->Handle() && IsWindowVisible(Form->Handle()));
  EXPECT_EQ(GetActiveWindow(), Form->Handle());
  EXPECT_EQ(FocusedControl(), Form->cbFichiers.Handle());
  TypeKeys("b");
  EXPECT_EQ(Form->cbFichiers.Text(), "[ab");
}

// Whenever the pane is emptied, by a file gone since the search (chosen by a key or a click) or
// by a search that finds nothing, the counter and the line label read as at start, and F3 has
// nothing to step through; a file that can be shown fills them again.
TEST_F(MainWindowTest, AnEmptiedPaneLeavesNoCounterOrLineBehind) {
  const std::string folder = StartIn({{"a.txt", "mot\r\nmot\r\n"}, {"b.txt", "mot\r\n"}});
  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  DeleteFileA((folder + "\\b.txt").c_str());
  const std::string gone = "Ne peut ouvrir le fichier " + folder + "\\b.txt.";
  std::vector<std::pair<int, int>> changes;
  Form->grFic.OnRowChanged = [&, shown = Form->grFic.OnRowChanged](int oldRow, int newRow) {
    changes.emplace_back(oldRow, newRow);
    shown(oldRow, newRow);
  };
  const struct {
    const char* how;
    std::function<void()> empty;
    const char* count;
    int row;
    std::vector<std::string> boxes;
  } cases[] = {
      {"Down onto a file gone", [] { PressKeys({VK_DOWN}); }, "2 fichier(s)", 2, {gone}},
      {"a click on a file gone", [&] { ClickRow(2); }, "2 fichier(s)", 2, {gone}},
      {"a search that finds nothing", [&] { SearchFor("absent"); }, "0 fichier(s)", 0, {}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    ::SetFocus(Form->grFic.Handle());
    if (Form->grFic.SelectedRow() != 1) PressKeys({VK_UP});
    PressKeys({VK_F3});
    ASSERT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 2/ 2");
    ASSERT_EQ(CaptionOf(Form->stLigCour.Handle()), "Ligne : 1");
    Boxes.Shown.clear();
    changes.clear();
    c.empty();
    std::vector<std::string> boxes;
    for (const TShownBox& box : Boxes.Shown)
      boxes.push_back(box.Text);
    EXPECT_EQ(boxes, c.boxes);
    EXPECT_EQ(changes, (std::vector<std::pair<int, int>>{{1, c.row}}));
    EXPECT_EQ(Form->grFic.SelectedRow(), c.row);
    EXPECT_EQ(CaptionOf(Form->stnNbFic.Handle()), c.count);
    EXPECT_EQ(std::to_string(Form->grFic.Rows()) + " fichier(s)", c.count);
    for (bool stepped : {false, true}) {
      SCOPED_TRACE(stepped ? "after F3" : "at once");
      if (stepped) PressKeys({VK_F3});
      EXPECT_EQ(ViewerText(), "");
      EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 0 / 0");
      EXPECT_EQ(CaptionOf(Form->stLigCour.Handle()), "");
    }
  }
}

// Row 1 loads by itself after every search: a huge file must neither freeze the window nor take
// its memory, and one too large to show whole shows its lines that hold the text, which F3 walks.
TEST_F(MainWindowTest, HugeFilesShowTheirSizeAndTheViewerShowsTheLinesOfTheText) {
  Temp.Sparse("docs\\a-sparse.bin", 3000000000); // NUL bytes only: no text at all
  Temp.Sparse("docs\\a-sparse-1T.bin", 1LL << 40);
  Temp.Sparse("docs\\a-sparse-40G.bin", 40000000000);
  std::string lines;
  int count = 0;
  while (lines.size() <= MaxShownBytes)
    lines += ++count % 100000 ? "une ligne sans rien\r\n" : "un mot ici\r\n";
  StartIn({{"b-large.txt", lines}, {"c.txt", "mot\r\n"}});
  PROCESS_MEMORY_COUNTERS before{}, after{};
  GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);
  Search();
  GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
  ASSERT_EQ(Form->grFic.Rows(), 5);
  // Ten digits fit the column; eleven or more would be cut at the left, and show in a unit.
  const auto sizesShown = [&](int first) {
    std::vector<std::string> sizes(3);
    for (int k = 0; k < 3; ++k)
      Form->grFic.OnCellLoaded(3, first + k, sizes[k]);
    return sizes;
  };
  EXPECT_EQ(sizesShown(1), (std::vector<std::string>{"1,0 To", "37,3 Go", "3000000000"}));
  ClickHeading(3); // ordered by the exact size, not by the text
  EXPECT_EQ(sizesShown(3), (std::vector<std::string>{"3000000000", "37,3 Go", "1,0 To"}));
  EXPECT_TRUE(Boxes.Shown.empty());
  EXPECT_EQ(ViewerText(), "");
  EXPECT_LT(after.PeakWorkingSetSize, before.PeakWorkingSetSize + (256 << 20)) << "read whole";

  SearchFor("mot");
  ASSERT_EQ(Form->grFic.Rows(), 2);
  const int shown = count / 100000;
  std::string excerpt = Format("Fichier trop volumineux : seules les lignes contenant le texte "
                               "sont affichées (%d lignes sur %d).\r\n",
                               shown, count);
  for (int k = 1; k <= shown; ++k)
    excerpt += Format("%d : un mot ici\r\n", k * 100000);
  EXPECT_EQ(ViewerText(), excerpt);
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), Format("occurence 1/ %d", shown));
  EXPECT_EQ(GetFocus(), Form->grFic.Handle());
  PressKeys({VK_F3});
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), Format("occurence 2/ %d", shown));
  ClickRow(2);
  EXPECT_EQ(ViewerText(), "mot\r\n");
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 1");
  EXPECT_TRUE(Boxes.Shown.empty());
}

// Names that Windows reads as devices (aux, con, nul ...) are searched and shown as the files
// they are; a link to a device and a file another program holds exclusively are never read, a
// file held open with sharing is. None of them may hold the window up.
TEST_F(MainWindowTest, DeviceNamesLinksToDevicesAndFilesHeldElsewhere) {
  const std::string folder = Temp.Folder("docs");
  for (const char* name : {"aux.txt", "con.txt", "com1.txt", "lpt1.txt", "nul.txt", "normal.txt",
                           "shared.txt", "locked.txt"})
    Temp.Write(std::string("docs\\") + name, "un mot\r\n");
  const THostLink port(folder + "\\port.txt", "/dev/ptmx");
  ASSERT_TRUE(port.Made()) << "a link needs Wine";
  const auto hold = [&](const char* name, DWORD share) {
    return THeld(CreateFileA((folder + "\\" + name).c_str(), GENERIC_READ | GENERIC_WRITE, share,
                             nullptr, OPEN_EXISTING, 0, nullptr),
                 &CloseHandle);
  };
  const THeld shared = hold("shared.txt", FILE_SHARE_READ | FILE_SHARE_WRITE);
  const THeld locked = hold("locked.txt", 0);
  Start();
  Form->tvRep.SelectPath(folder);
  SearchFor("MOT");
  const std::vector<std::string> found = {"aux.txt",    "com1.txt", "con.txt",   "lpt1.txt",
                                          "normal.txt", "nul.txt",  "shared.txt"};
  ASSERT_EQ(Form->grFic.Rows(), static_cast<int>(found.size()));
  for (const std::string& name : found) {
    SCOPED_TRACE(name);
    TypeIn('A', name);
    EXPECT_EQ(Form->FoundFiles()[Form->grFic.SelectedRow() - 1]->Name, name);
    EXPECT_EQ(ViewerText(), "un mot\r\n");
  }
  EXPECT_TRUE(Boxes.Shown.empty());

  // Found for an empty text, as every file is, but the viewer refuses them.
  SearchFor("");
  EXPECT_EQ(Form->grFic.Rows(), 9);
  for (const char* name : {"port.txt", "locked.txt"}) {
    SCOPED_TRACE(name);
    Boxes.Shown.clear();
    TypeIn('A', name);
    ASSERT_EQ(Boxes.Shown.size(), 1u);
    EXPECT_EQ(Boxes.Shown[0].Text, "Ne peut ouvrir le fichier " + folder + "\\" + name + ".");
    EXPECT_EQ(ViewerText(), "");
  }
}

// A click on a row loads its file and gives the viewer the focus; a click on a heading reorders
// and keeps the current file; the go-to box chooses by name.
TEST_F(MainWindowTest, RowsAndHeadingsClickedAndTheGoToBoxChooseTheFile) {
  StartIn({{"alpha.txt", "alpha\r\n"}, {"beta.txt", "beta\r\n"}, {"gamma.txt", "g\r\n"}});
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 3);
  ClickRow(3);
  EXPECT_EQ(Form->grFic.SelectedRow(), 3);
  EXPECT_EQ(ViewerText(), "g\r\n");
  EXPECT_EQ(GetFocus(), Form->mmLignesConcernees.Handle()) << "a click gives the viewer the focus";

  ClickHeading(3);
  EXPECT_EQ(Form->FoundFiles()[0]->Name, "gamma.txt");
  EXPECT_EQ(Form->grFic.Col(3).SortPicture(), spBullet);
  EXPECT_EQ(Form->grFic.Col(1).SortPicture(), spNone);
  EXPECT_EQ(Form->grFic.SelectedRow(), 1);
  EXPECT_EQ(ViewerText(), "g\r\n");

  TypeIn('A', "B");
  EXPECT_EQ(Form->grFic.SelectedRow(), 2);
  EXPECT_EQ(ViewerText(), "beta\r\n");
}

// With no folder the walk lists the root of the current drive; its files have no folder.
TEST_F(MainWindowTest, ASearchWithNoFolderSelectedListsTheCurrentDrivesRoot) {
  Start();
  ASSERT_EQ(Form->tvRep.SelectedPath(), "");
  // Nothing fatal from here until the file is gone and the current folder is back.
  char previous[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, previous);
  SetCurrentDirectoryA(Temp.Path().c_str());
  const std::string name = "scrivane_racine_" + std::to_string(GetCurrentProcessId()) + ".txt";
  const std::string path = Temp.Path().substr(0, 3) + name;
  std::ofstream(path, std::ios::binary) << "ligne\r\nle mot racine\r\n";
  PressKeys({VK_MENU, 'I'}); // the drive's root alone
  TypeIn('F', name);
  SearchFor("MOT RACINE");
  DeleteFileA(path.c_str());
  SetCurrentDirectoryA(previous);
  EXPECT_TRUE(Boxes.Shown.empty());
  ASSERT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(Form->FoundFiles()[0]->Name, name);
  EXPECT_EQ(Form->FoundFiles()[0]->Folder, "");
  EXPECT_EQ(ViewerText(), "ligne\r\nle mot racine\r\n");
  EXPECT_EQ(CaptionOf(Form->stnNbOccur.Handle()), "occurence 1/ 1");
}

namespace {
// Changes the user's short date format until the end of the scope.
class TShortDateFormat {
public:
  explicit TShortDateFormat(const char* format) {
    GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, FSaved, sizeof FSaved);
    SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, format);
  }
  ~TShortDateFormat() { SetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SSHORTDATE, FSaved); }

private:
  char FSaved[80] = {};
};

void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day) {
  const SYSTEMTIME local{year, month, 0, day, 14, 3, 8, 0};
  FILETIME localTime, time;
  SystemTimeToFileTime(&local, &localTime);
  LocalFileTimeToFileTime(&localTime, &time);
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  SetFileTime(file, nullptr, nullptr, &time);
  CloseHandle(file);
}
} // namespace

TEST_F(MainWindowTest, TheDateColumnFollowsARegionalSettingsChange) {
  SetLocalWriteTime(StartIn({{"a.txt", "x"}}) + "\\a.txt", 2005, 12, 25);
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(Form->FoundFiles()[0]->DateText, "25/12/2005 14:03:08");

  const TShortDateFormat changed("yyyy-MM-dd");
  SendMessageA(Form->Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>("intl"));
  Search();
  ASSERT_EQ(Form->grFic.Rows(), 1);
  EXPECT_EQ(Form->FoundFiles()[0]->DateText, "2005-12-25 14:03:08");
}
