#pragma once
// The occurrence viewer's operations, for the window that owns the pane, the four tool
// buttons, the counter and the line label: it holds one TViewer and forwards to it.
#include "search/LineBuffer.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StaticText.h"
#include "viewer/OccurrenceIndex.h"
#include "viewer/win32/RichEditPane.h"

#include <functional>
#include <string>

struct TViewerControls {
  TRichEditPane& mmLignesConcernees;
  const TSpeedButton& btPremOccur;
  const TSpeedButton& btOccurPrec;
  const TSpeedButton& btOccurSuiv;
  const TSpeedButton& btDernOccur;
  TStaticText& stnNbOccur;
  TStaticText& stLigCour;
};

// Where the focus goes after a load: to the pane, or left where the user is typing.
enum TLoadFocus { lfPane, lfKeep };

class TViewer {
public:
  // contentText gives the content box's text as it stands at each call.
  TViewer(const TViewerControls& controls, TLineBuffer& lineBuffer,
          std::function<std::string()> contentText);

  // Shows the file with the first occurrence on each line in blue, indexes those occurrences
  // and shows the first; with lfPane the pane then has the focus. Raises "Ne peut ouvrir le
  // fichier %s", or "Fichier trop volumineux pour être affiché : %s" for a text past the show
  // limit, leaving the pane empty, the index unassigned and the counter and focus as they were.
  void LoadFileIntoViewer(const std::string& path, TLoadFocus focus = lfPane);
  // Scrolls the current occurrence to the height of the old selection, selects it over the
  // content text's length and writes the counter. Needs an index.
  void ShowCurrentOccurrence();
  // The four buttons' click: steps with wrap-around; nothing at all without an index.
  void btNavigClick(const TSpeedButton& sender);
  // The pane's selection change: the line label follows the selection start.
  void mmLignesConcerneesSelectionChange();

  const TOccurrenceOffsets& OccurrenceOffsets() const { return FOccurrenceOffsets; }
  int32_t CurrentOccurrence() const { return FCurrentOccurrence; }

private:
  TViewerControls FControls;
  TLineBuffer& FLineBuffer;
  std::function<std::string()> FContentText;
  TOccurrenceOffsets FOccurrenceOffsets;
  int32_t FCurrentOccurrence = 0;
};
