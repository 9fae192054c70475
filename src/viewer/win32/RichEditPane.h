#pragma once
// The viewer's read-only rich-text pane: a RICHEDIT 1.0 control, where a line break counts
// two character positions, wrapped to the pane's width.
#include "toolkit/Font.h"
#include "toolkit/StdControl.h"

#include <cstdint>
#include <functional>
#include <string>

// Its handle changes with every Clear: hold the pane, not its handle.
class TRichEditPane : public TStdControl {
public:
  TRichEditPane(HWND parent, const TBounds& bounds, UINT id);
  ~TRichEditPane() override;

  // Raised inside every selection change, Clear's included.
  std::function<void()> OnSelectionChange;

  // Puts a fresh, empty pane in this one's place (position, size, style, tab order, id, edge
  // alignment and focus): emptying a large text in place is very slow.
  void Clear();
  // Loads a whole RTF document of lineCount lines into the empty pane, its drawing held off
  // meanwhile. stopRequested, if given, is asked between the pieces of the load; when it says
  // true, the load ends there with part of the text in the pane, and LoadRtf returns false.
  bool LoadRtf(const std::string& rtf, size_t lineCount,
               const std::function<bool()>& stopRequested = {});

  int32_t SelStart() const;
  // Collapses the selection to a caret at position.
  void SetSelStart(int32_t position);
  // Extends the selection from its start and scrolls its end into view.
  void SetSelLength(int32_t length);
  // The 0-based display line, wrapped lines counted, of a character position.
  int LineFromChar(int32_t position) const;
  // Scrolls by display lines, positive towards the end.
  void ScrollLines(int lines);

  LRESULT Notify(NMHDR* header) override;

private:
  TWindowHandle CreatePane(HWND parent, const TBounds& bounds, UINT id);
  bool Overflows(size_t lineCount) const;
  TFont FFont{"Courier New", -13, ANSI_CHARSET};
};
