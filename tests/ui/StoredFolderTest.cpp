#include "MainWindowFixture.h"

#include "platform/SystemFolders.h"

// The real folder tree: a stored folder selects the folder it names, and is written back as it
// shows, then selected again. A drive root keeps its backslash; a path through ".." names the
// folder it leads to, not the one before the "..". A folder gone, or one stored as it shows
// with "?" for characters that the code page lacks (not 日本, nor ab through a wildcard), gives
// the Windows folder without a message.
TEST_F(MainWindowTest, AStoredFolderSelectsTheFolderItNamesOrTheWindowsFolder) {
  Temp.Folder(L"\u65E5\u672C");
  Temp.Folder("ab");
  Temp.Folder("docs");
  const std::string other = Temp.Folder("other");
  const struct {
    std::string stored, selected;
  } cases[] = {{"C:\\", "C:\\"},
               {Temp / "docs\\..\\other", other},
               {Temp / "disparu", WindowsFolder()},
               {Temp / "??", WindowsFolder()}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.stored);
    WriteSetting("GENERAL", "cRep", c.stored);
    for (const char* start : {"first", "again"}) {
      SCOPED_TRACE(start);
      Start();
      EXPECT_EQ(Form->tvRep.SelectedPath(), c.selected);
      Close();
      EXPECT_EQ(ReadSetting("GENERAL", "cRep"), c.selected);
    }
    EXPECT_TRUE(Boxes.Shown.empty());
  }
}
