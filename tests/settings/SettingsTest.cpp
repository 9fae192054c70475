#include "settings/Settings.h"

#include <gtest/gtest.h>

#include <climits>

#include "base/SysUtils.h"
#include "platform/IniText.h"
#include "platform/SystemFolders.h"
#include "support/MemoryIni.h"
#include "support/SettingsDoubles.h"

namespace {
using TItems = std::vector<std::string>;
const std::string IniPath = "C:\\Programmes\\Scrivane\\Scrivane.ini";

// A settings file over an in-memory INI, a tree where only the listed folders exist.
struct SettingsTest : ::testing::Test {
  TMemoryIni Ini;
  TSettingsFile File{IniPath, Ini};
  TStringHistory Masks, Texts;
  std::vector<std::string> Folders = {"C:\\", "C:\\Sources", WindowsFolder()};
  TFakeFolderTree Tree{[this](const std::string& path) {
    return std::find(Folders.begin(), Folders.end(), path) != Folders.end();
  }};

  void Load() { LoadSettings(File, Masks, Texts, Tree); }
  void Save() { SaveSettings(File, Masks, Texts, Tree); }
  std::optional<std::string> Stored(const char* section, const char* key) {
    return TIniText(Ini.Files[IniPath]).Value(section, key);
  }
};
} // namespace

TEST(SettingsFileTest, ReadsCountsByTheirRules) {
  struct TCase {
    const char* Text;
    int32_t Expected; // 99: the default
  };
  const TCase cases[] = {
      {"0x3", 3},
      {"0X1f", 31},
      {"0xFFFFFFFF", -1},
      {"0x100000000", 99},
      {"0x", 99},
      {"0xZ", 99},
      {"$A", 10},
      {"-$A", -10},
      {"$", 99},
      {" 2", 2},
      {"\t 12", 12},
      {"+7", 7},
      {"-1", -1},
      {"abc", 99},
      {"", 99},
      {"2 ", 99},
      {"12abc", 99},
      {"- 2", 99},
      {"2147483647", INT_MAX},
      {"2147483648", 99},
      {"-2147483648", INT_MIN},
      {"-2147483649", 99},
      {"99999999999999999999999", 99},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(Format("\"%s\"", c.Text));
    int32_t value = 99;
    EXPECT_EQ(c.Expected != 99, TextToInteger(c.Text, value));
    EXPECT_EQ(c.Expected, value);
  }
  TMemoryIni none;
  EXPECT_EQ(4, TSettingsFile(IniPath, none).ReadInteger("GENERAL", "nNbFic", 4));
}

TEST(SettingsFileTest, ARefusedWriteRaisesWithTheFullPath) {
  const std::function<void(TSettingsFile&)> writes[] = {
      [](TSettingsFile& f) { f.WriteString("GENERAL", "cRep", "C:\\"); },
      [](TSettingsFile& f) { f.WriteInteger("GENERAL", "nNbFic", 1); },
      [](TSettingsFile& f) { f.EraseSection("Fichiers"); },
  };
  for (const auto& write : writes) {
    TMemoryIni ini;
    ini.ReadOnly.insert(IniPath);
    TSettingsFile file(IniPath, ini);
    try {
      write(file);
      ADD_FAILURE() << "no error";
    } catch (const Exception& e) {
      EXPECT_EQ("Ne peut écrire dans " + IniPath, e.Message());
    }
  }
}

TEST_F(SettingsTest, FirstRunStartsEmptyAndWritesOnlyCountsAndFolder) {
  Load();
  EXPECT_TRUE(Masks.Items.empty());
  EXPECT_TRUE(Texts.Items.empty());
  EXPECT_EQ((TItems{"Populate", "SelectPath()"}), Tree.Calls);
  EXPECT_EQ("", Tree.Selected);
  Save();
  EXPECT_EQ("[GENERAL]\r\nnNbFic=0\r\nnNbCont=0\r\ncRep=\r\n", Ini.Files[IniPath]);
}

TEST_F(SettingsTest, LoadsAsManyEntriesAsTheCountSays) {
  struct TCase {
    const char* Count;
    TItems Expected;
  };
  const TCase cases[] = {
      {"0x3", {"a", "b", "c"}},
      {"2", {"a", "b"}},
      {"6", {"a", "b", "c", "d", "", ""}},
      {"$6", {"a", "b", "c", "d", "", ""}},
      {"0", {}},
      {"-1", {}},
      {"abc", {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Count);
    Ini.Files[IniPath] = Format("[GENERAL]\r\nnNbFic=%s\r\n[Fichiers]\r\ncFic1=a\r\ncFic2=b\r\n"
                                "cFic3=c\r\ncFic4=d\r\n",
                                c.Count);
    Masks.Items.clear();
    Load();
    EXPECT_EQ(c.Expected, Masks.Items);
  }
}

// Gaps shorter than the longest run are empty items; from a run of 1,000 absent keys on,
// nothing more is read.
TEST_F(SettingsTest, AHugeHandEditedCountStopsAtALongRunOfAbsentEntries) {
  const struct {
    int Gap; // absent keys between "a" and "b"
    size_t Size;
    const char* Last;
  } cases[] = {{0, 2, "b"}, {2, 4, "b"}, {999, 1001, "b"}, {1000, 1, "a"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Gap);
    Ini.Files[IniPath] = Format("[GENERAL]\r\nnNbFic=2000000000\r\n[Fichiers]\r\ncFic1=a\r\n"
                                "cFic%d=b\r\ncFic%d=\r\n",
                                c.Gap + 2, c.Gap + 2 + 1001);
    Masks.Items.clear();
    Load();
    ASSERT_EQ(c.Size, Masks.Items.size());
    EXPECT_EQ(c.Last, Masks.Items.back());
  }
}

TEST_F(SettingsTest, SavesTheListsWholeAndNumberedWithoutGaps) {
  Ini.Files[IniPath] = "[GENERAL]\r\nAutre=garde\r\nnNbFic=2\r\nnNbCont=3\r\ncRep=C:\\Sources\r\n"
                       "[Fichiers]\r\ncFic1=*.txt\r\ncFic2=*.txt\r\ncFic3=perdu\r\n"
                       "[Contenant]\r\ncCont1=un\r\ncCont2=\r\ncCont3=trois\r\n";
  Load();
  EXPECT_EQ((TItems{"*.txt", "*.txt"}), Masks.Items);
  EXPECT_EQ((TItems{"un", "", "trois"}), Texts.Items);
  EXPECT_EQ("C:\\Sources", Tree.Selected);
  Ini.Log.clear();
  Save();
  EXPECT_EQ((TItems{"Write(GENERAL,nNbFic,2)", "Erase(Fichiers)", "Write(Fichiers,cFic1,*.txt)",
                    "Write(Fichiers,cFic2,*.txt)", "Write(GENERAL,nNbCont,3)", "Erase(Contenant)",
                    "Write(Contenant,cCont1,un)", "Write(Contenant,cCont2,)",
                    "Write(Contenant,cCont3,trois)", "Write(GENERAL,cRep,C:\\Sources)"}),
            Ini.Log);
  EXPECT_EQ(std::nullopt, Stored("Fichiers", "cFic3"));
  EXPECT_EQ("", Stored("Contenant", "cCont2"));
  EXPECT_EQ("garde", Stored("GENERAL", "Autre"));
}

// Blanks and quotes at a text's ends read back; a line break, which another program may put
// in a box, would write lines of its own into the file: the text ends before it.
TEST_F(SettingsTest, TextsReadBackAsWrittenUpToTheirFirstLineBreak) {
  const struct {
    std::string written, read;
  } rows[] = {{" mot ", " mot "},
              {"mot\t", "mot\t"},
              {"\"cité\"", "\"cité\""},
              {"'a'", "'a'"},
              {"\"", "\""},
              {"\" x", "\" x"},
              {"a \"b\" c", "a \"b\" c"},
              {"un\r\n[GENERAL]\r\nnNbCont=0", "un"},
              {"deux\n[Contenant]", "deux"},
              {" trois \rquatre", " trois "},
              {"\n", ""}};
  for (const auto& row : rows)
    Texts.Items.push_back(row.written);
  Tree.Selected = "C:\\Sources\r\n[GENERAL]\r\ncRep=C:\\";
  Save();
  Texts.Items.clear();
  Load();
  ASSERT_EQ(std::size(rows), Texts.Items.size());
  for (size_t k = 0; k < std::size(rows); ++k) {
    SCOPED_TRACE(rows[k].written);
    EXPECT_EQ(rows[k].read, Texts.Items[k]);
  }
  EXPECT_EQ("C:\\Sources", Stored("GENERAL", "cRep"));
  EXPECT_EQ(std::string::npos, Ini.Files[IniPath].find("[GENERAL]", 1)) << "one section";
}

TEST_F(SettingsTest, ARefusedWriteSkipsTheRestOfTheSave) {
  Ini.Files[IniPath] = "[GENERAL]\r\nnNbFic=1\r\ncRep=C:\\\r\n[Fichiers]\r\ncFic1=ancien\r\n";
  Masks.Items = {"nouveau"};
  Tree.Selected = "C:\\Sources";
  Ini.WritesLeft = 2; // the count and the erase
  EXPECT_THROW(Save(), Exception);
  EXPECT_EQ((TItems{"Write(GENERAL,nNbFic,1)", "Erase(Fichiers)"}), Ini.Log);
  EXPECT_EQ("C:\\", Stored("GENERAL", "cRep"));
}

// Read part way, a list's count and section would be lost with the items after the failure.
TEST_F(SettingsTest, AListThatFailsPartWayKeepsItsStoredEntriesAndCostsNothingElse) {
  const struct {
    bool MasksFail;
    const char *NbFic, *Fic2, *NbCont, *Cont1;
  } cases[] = {{true, "2", "b", "2", "deux"}, {false, "3", "*.c", "1", "un"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.MasksFail ? "masks" : "texts");
    Ini.Files[IniPath] = "[GENERAL]\r\nnNbFic=2\r\nnNbCont=1\r\ncRep=C:\\\r\n"
                         "[Fichiers]\r\ncFic1=a\r\ncFic2=b\r\n[Contenant]\r\ncCont1=un\r\n";
    Masks = TStringHistory({"*.txt", "*.c", "*.h"});
    Texts = TStringHistory({"deux", "trois"});
    (c.MasksFail ? Masks : Texts).FailsAt = 1;
    Tree.Selected = "C:\\Sources";
    EXPECT_THROW(Save(), std::runtime_error);
    EXPECT_EQ(c.NbFic, Stored("GENERAL", "nNbFic"));
    EXPECT_EQ(c.Fic2, Stored("Fichiers", "cFic2"));
    EXPECT_EQ(c.NbCont, Stored("GENERAL", "nNbCont"));
    EXPECT_EQ(c.Cont1, Stored("Contenant", "cCont1"));
    EXPECT_EQ("C:\\Sources", Stored("GENERAL", "cRep"));
  }
}

TEST_F(SettingsTest, AStoredFolderThatIsGoneSelectsTheWindowsFolderSilently) {
  Ini.Files[IniPath] = "[GENERAL]\r\ncRep=C:\\Disparu\r\n";
  EXPECT_NO_THROW(Load());
  EXPECT_EQ((TItems{"Populate", "SelectPath(C:\\Disparu)", "SelectPath(" + WindowsFolder() + ")"}),
            Tree.Calls);
  EXPECT_EQ(WindowsFolder(), Tree.Selected);

  // Nor does a Windows folder that cannot be selected stop the start.
  TFakeFolderTree other{[](const std::string&) { return false; }};
  EXPECT_NO_THROW(LoadSettings(File, Masks, Texts, other));
  EXPECT_EQ("", other.Selected);
}

TEST_F(SettingsTest, AListThatRefusesAnItemRaises) {
  Ini.Files[IniPath] = "[GENERAL]\r\nnNbCont=1\r\n";
  Texts.Refuses = true;
  try {
    Load();
    ADD_FAILURE() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ("Ne peut insérer une ligne", e.Message());
  }
  EXPECT_THROW(AddToHistory(Texts, "mot"), Exception);
}

TEST(HistoryTest, AddsOnlyTextsNotYetListedInAnyCase) {
  struct TCase {
    const char* Text;
    TItems Expected;
  };
  const TItems before = {"*.txt", "*.pas", "été"};
  const TCase cases[] = {
      {"*.TXT", before},
      {"*.pas", before},
      {"ÉTÉ", before},
      {"", before},
      {"*.doc", {"*.txt", "*.pas", "été", "*.doc"}},
      {" *.txt", {"*.txt", "*.pas", "été", " *.txt"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TStringHistory list(before);
    AddToHistory(list, c.Text);
    EXPECT_EQ(c.Expected, list.Items);
  }
}
