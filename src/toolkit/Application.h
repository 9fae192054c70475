#pragma once
// The application object: message loop, the one top-level error box, the busy cursor, title.
#include <windows.h>

#include <exception>
#include <functional>
#include <string>

// The title used as the error boxes' caption: the program file's name without folder and
// without anything from its first ".", first character unchanged, the rest lower case.
std::string ApplicationTitleOf(const std::string& programPath);
// The error box's text: the message, with "." appended when its last character comes
// after "." in character-code order.
std::string ErrorBoxText(const std::string& message);

class TApplication {
public:
  TApplication();

  std::string Title;
  // Shows the modal box; replaceable so that tests read text, caption and flags.
  std::function<void(const std::string& text, const std::string& caption, UINT flags)> ErrorBox;
  // The window whose dialog keys (Tab, Alt accelerators) the loop handles; the window-wide
  // keys (TShortcuts) and the Alt letters (TMnemonicTarget) come before them.
  HWND DialogWindow = nullptr;

  // Shows the exception in the error box; re-entered while a box is up, it shows nothing more.
  void HandleException(std::exception_ptr error) noexcept;
  // Whether the loop is handling a key now: what a key causes keeps the focus where the user
  // types, where a click may move it.
  bool HandlingKey() const { return FHandlingKey; }
  // Runs fn and shows any exception that leaves it.
  void Guarded(const std::function<void()>& fn) noexcept;
  void SetBusyCursor(bool busy);
  // Pumps messages until WM_QUIT; returns its exit code.
  int Run();
  // Dispatches the messages waiting now; false once WM_QUIT has been seen.
  bool ProcessMessages();

private:
  bool Dispatch(MSG& msg) noexcept;
  void DispatchInput(MSG& msg);
  bool FShowingError = false;
  bool FHandlingKey = false;
};

TApplication& Application();
