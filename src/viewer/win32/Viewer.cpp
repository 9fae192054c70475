#include "viewer/win32/Viewer.h"

#include "viewer/Excerpt.h"
#include "viewer/RtfWriter.h"
#include "viewer/ShowLimit.h"

TViewer::TViewer(TRichEditPane& pane, TStaticText& counter, TStaticText& lineLabel,
                 TLineBuffer& lineBuffer, std::function<std::string()> contentText)
    : FPane(pane), FCounter(counter), FLineLabel(lineLabel), FLineBuffer(lineBuffer),
      FContentText(std::move(contentText)) {}

bool TViewer::LoadFileIntoViewer(const TFilePath& path, TLoadFocus focus) {
  TEscapeWatch escape; // from the start: a key pressed while the file is read counts too
  Clear();
  const std::string text = FContentText();
  const TCodePage& page = TCodePage::Current();
  TIndexedText indexed = LoadIndexedText(FLineBuffer, path, text, page, MaxShownBytes);
  const std::vector<std::string>& lines = FLineBuffer.Lines();
  if (indexed.WithinLimit && WithinShowLimit(lines, indexed.Offsets ? indexed.Offsets->size() : 0))
    return Show(lines, std::move(indexed.Offsets), text.size(), focus, escape);
  // Too large to show whole: the lines that hold the text, read afresh without keeping the rest.
  const std::optional<TExcerpt> excerpt =
      LoadExcerpt(FLineBuffer, path, text, page, [&] { return escape.StopRequested(); });
  if (!excerpt) return false;
  return Show(excerpt->Lines(), excerpt->OccurrenceOffsets(), text.size(), focus, escape);
}

bool TViewer::Show(const std::vector<std::string>& lines, TOccurrenceOffsets offsets,
                   size_t markLength, TLoadFocus focus, TEscapeWatch& escape) {
  if (!FPane.LoadRtf(
          MarkedLinesRtf(lines, offsets, markLength, int(GetACP()), GetSysColor(COLOR_WINDOW)),
          lines.size(), [&] { return escape.StopRequested(); })) {
    Clear();
    return false;
  }
  FOccurrenceOffsets = std::move(offsets);
  FPane.SetSelStart(0);
  SelectionMoved(); // the caret stood at 0 in the empty pane: no change to report
  if (FOccurrenceOffsets) {
    FCurrentOccurrence = 1;
    ShowCurrentOccurrence();
  } else {
    FCounter.SetCaption(NoOccurrenceText);
  }
  if (focus == lfPane) FPane.SetFocus();
  return true;
}

// The pane's own clearing moves its selection, which writes the line label: the label is
// emptied after it.
void TViewer::Clear() {
  FOccurrenceOffsets.reset();
  FPane.Clear();
  FCounter.SetCaption(EmptyPaneCounterText);
  FLineLabel.SetCaption("");
}

void TViewer::ShowCurrentOccurrence() {
  const int caretLine = FPane.LineFromChar(FPane.SelStart());
  const int32_t target = (*FOccurrenceOffsets)[FCurrentOccurrence - 1];
  FPane.ScrollLines(FPane.LineFromChar(target) - caretLine);
  FPane.SetSelStart(target);
  FPane.SetSelLength(static_cast<int32_t>(FContentText().size()));
  FCounter.SetCaption(
      OccurrenceCounterText(FCurrentOccurrence, static_cast<int32_t>(FOccurrenceOffsets->size())));
}

void TViewer::Step(TNavigStep step, TLoadFocus focus) {
  if (!FOccurrenceOffsets) return;
  FCurrentOccurrence = NavigatedOccurrence(step, FCurrentOccurrence,
                                           static_cast<int32_t>(FOccurrenceOffsets->size()));
  ShowCurrentOccurrence();
  if (focus == lfPane) FPane.SetFocus();
}

void TViewer::SelectionMoved() {
  FLineLabel.SetCaption(LineLabelText(FPane.LineFromChar(FPane.SelStart())));
}
