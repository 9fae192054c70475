#pragma once
// Keys that act in a whole window, whatever control of it has the focus (F3 and its variants).
// The message loop asks them before the focused control sees the key, as it asks the Alt
// letters, so that no control can swallow them.
#include <windows.h>

#include <functional>
#include <vector>

enum TShiftKey : unsigned { ssShift = 1, ssCtrl = 2 };

class TShortcuts {
public:
  // window: the top-level window in which the keys act.
  explicit TShortcuts(HWND window);
  TShortcuts(const TShortcuts&) = delete;
  TShortcuts& operator=(const TShortcuts&) = delete;
  ~TShortcuts();

  // key with exactly the shift keys given (a set of TShiftKey), without Alt.
  void Add(WORD key, unsigned shift, std::function<void()> action);
  // Runs the action of the key that msg presses in the window; true when there is one.
  bool Run(const MSG& msg) const;

private:
  struct TEntry {
    WORD Key;
    unsigned Shift;
    std::function<void()> Action;
  };
  HWND FWindow;
  std::vector<TEntry> FEntries;
};

// For a key going down: runs the shortcut of the window it is typed in; true when one ran.
bool DispatchShortcut(const MSG& msg);
