#pragma once
// The real main window in a test: its own temporary folder (files to find and the settings
// file), driven by the messages that a user's keys and clicks send.
#include "support/MessagePump.h"
#include "support/RecordedBoxes.h"
#include "support/TempFolder.h"
#include "ui/Main_fm.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
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
  // Closes the window by its close button, as the user does, and waits until it is gone.
  void Close();
  // Types text into the box after emptying it, one character at a time.
  void Type(TComboBox& box, const std::string& text);
  void Type(TEdit& box, const std::string& text);
  void Click(HWND control, int x, int y);
  void Search();
  void ClickRow(int row);
  void ClickHeading(int col);
  std::string ViewerText() const;
  std::string CaptionOf(HWND control) const;
  std::vector<std::string> ItemsOf(const TComboBox& box) const;
};
