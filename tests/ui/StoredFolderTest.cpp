#include "MainWindowFixture.h"

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
