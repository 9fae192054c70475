#include "MainWindowFixture.h"

// The real folder tree: a drive root keeps its backslash on the way out and back in.
TEST_F(TMainWindowTest, ADriveRootIsStoredWithItsBackslashAndSelectedAgain) {
  WriteSetting("GENERAL", "cRep", "C:\\");
  Start();
  EXPECT_EQ(Form->tvRep.SelectedPath(), "C:\\");
  Close();
  EXPECT_EQ(ReadSetting("GENERAL", "cRep"), "C:\\");
  Start();
  EXPECT_EQ(Form->tvRep.SelectedPath(), "C:\\");
  Close();
}
