#pragma once
// The real main window in a test: its own temporary folder (files to find and the settings
// file), driven through the input queue as a user's keys and clicks drive it.
#include "support/KeyInput.h"
#include "support/MessagePump.h"
#include "support/MouseInput.h"
#include "support/RecordedBoxes.h"
#include "support/TempFolder.h"
#include "ui/Main_fm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

class MainWindowTest : public testing::Test {
protected:
  TTempFolder Temp;
  TRecordedBoxes Boxes;
  std::unique_ptr<TfmMain> Form;

  std::string SettingsPath() const { return Temp.Path() + "\\Scrivane.ini"; }
  void WriteSetting(const char* section, const char* key, const std::string& value) const;
  std::string ReadSetting(const char* section, const char* key) const;

  void Start();
  // Writes the files (name and contents) into the folder docs, starts and chooses that folder
  // in the tree; its path.
  std::string StartIn(const std::vector<std::pair<std::string, std::string>>& files);
  // Closes the window by Alt+F4 and waits until it is gone.
  void Close();
  // Replaces the text of the box that Alt+letter focuses, typed over the selected old text.
  void TypeIn(WORD letter, const std::string& text);
  void TypeIn(WORD letter, const std::wstring& text);
  // Alt+R.
  void Search();
  // Types the text in "Contenant" and searches.
  void SearchFor(const std::string& text);
  void ClickRow(int row);
  void ClickHeading(int col);
  // The control that has the focus, the combo box for its edit part.
  HWND FocusedControl() const;
  std::string ViewerText() const;
  std::string CaptionOf(HWND control) const;
  std::vector<std::string> ItemsOf(const TComboBox& box) const;
};
