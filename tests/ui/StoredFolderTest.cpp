#include "MainWindowFixture.h"

#include "platform/SystemFolders.h"

// The real folder tree: a drive root keeps its backslash on the way out and back in.
TEST_F(MainWindowTest, ADriveRootIsStoredWithItsBackslashAndSelectedAgain) {
  WriteSetting("GENERAL", "cRep", "C:\\");
  Start();
  EXPECT_EQ(Form->tvRep.SelectedPath(), "C:\\");
  Close();
  EXPECT_EQ(ReadSetting("GENERAL", "cRep"), "C:\\");
  Start();
  EXPECT_EQ(Form->tvRep.SelectedPath(), "C:\\");
  Close();
}

// A stored folder written with ".." is the folder it leads to, not the one before the "..".
TEST_F(MainWindowTest, AStoredFolderThroughDotDotSelectsAndKeepsTheFolderItNames) {
  Temp.Folder("docs");
  const std::string other = Temp.Folder("other");
  WriteSetting("GENERAL", "cRep", Temp.Path() + "\\docs\\..\\other");
  Start();
  EXPECT_EQ(Form->tvRep.SelectedPath(), other);
  Close();
  EXPECT_EQ(ReadSetting("GENERAL", "cRep"), other);
}

// A folder that the code page cannot name is stored as it shows, with "?": that names no folder
// (not 日本, nor ab through a wildcard), and the next start takes the Windows folder.
TEST_F(MainWindowTest, AFolderStoredWithQuestionMarksGivesTheWindowsFolder) {
  Temp.Folder(L"\u65E5\u672C");
  Temp.Folder("ab");
  WriteSetting("GENERAL", "cRep", Temp / "??");
  Start();
  EXPECT_TRUE(Boxes.Shown.empty());
  EXPECT_EQ(CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, Form->tvRep.SelectedPath().c_str(),
                           -1, WindowsFolder().c_str(), -1),
            CSTR_EQUAL);
  Close();
}
