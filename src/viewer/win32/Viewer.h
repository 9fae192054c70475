#pragma once
// The occurrence viewer: a file shown in a pane with its occurrences marked, stepped through
// one by one, with a counter and a line label that follow. The window that owns the controls
// holds one TViewer and binds its buttons and keys to the steps.
#include "search/LineBuffer.h"
#include "toolkit/EscapeWatch.h"
#include "toolkit/StaticText.h"
#include "viewer/Navigation.h"
#include "viewer/OccurrenceIndex.h"
#include "viewer/win32/RichEditPane.h"

#include <functional>
#include <string>

// Where the focus goes after a load or a step: to the pane, or left where the user is typing.
enum TLoadFocus { lfPane, lfKeep };

class TViewer {
public:
  // counter shows "occurence 3/ 7", lineLabel the selection's line; contentText gives the
  // content box's text as it stands at each call.
  TViewer(TRichEditPane& pane, TStaticText& counter, TStaticText& lineLabel,
          TLineBuffer& lineBuffer, std::function<std::string()> contentText);

  // Shows the file, a Unicode file as its decoded text where the search's rule reads it so, with
  // the first occurrence on each line in blue, indexes those occurrences
  // and shows the first; with lfPane the pane then has the focus. A text past the show limit
  // is shown by its excerpt: a notice line, then the lines holding the content text with their
  // numbers in the file. Raises "Ne peut ouvrir le fichier %s", leaving the viewer as Clear
  // leaves it and the focus where it was. Échap during a load that lasts leaves them so too,
  // without an error: false.
  bool LoadFileIntoViewer(const TFilePath& path, TLoadFocus focus = lfPane);
  // Empties the pane and drops the index; the counter and the line label read as at start.
  void Clear();
  // Scrolls the current occurrence to the height of the old selection, selects it over the
  // content text's length and writes the counter. Needs an index.
  void ShowCurrentOccurrence();
  // Steps with wrap-around; with lfPane the pane then has the focus. Nothing at all without an
  // index.
  void Step(TNavigStep step, TLoadFocus focus = lfPane);
  // To be called on every selection change of the pane: the line label follows its start.
  void SelectionMoved();

  const TOccurrenceOffsets& OccurrenceOffsets() const { return FOccurrenceOffsets; }
  int32_t CurrentOccurrence() const { return FCurrentOccurrence; }

private:
  bool Show(const std::vector<std::string>& lines, TOccurrenceOffsets offsets, size_t markLength,
            TLoadFocus focus, TEscapeWatch& escape);

  TRichEditPane& FPane;
  TStaticText& FCounter;
  TStaticText& FLineLabel;
  TLineBuffer& FLineBuffer;
  std::function<std::string()> FContentText;
  TOccurrenceOffsets FOccurrenceOffsets;
  int32_t FCurrentOccurrence = 0;
};
