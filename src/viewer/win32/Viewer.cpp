#include "viewer/win32/Viewer.h"

#include "base/SysUtils.h"

#include "viewer/RtfWriter.h"
#include "viewer/ShowLimit.h"

namespace {
Exception TooLargeToShow(const std::string& path) {
  return Exception(Format("Fichier trop volumineux pour être affiché : %s", path.c_str()));
}
} // namespace

TViewer::TViewer(TRichEditPane& pane, TStaticText& counter, TStaticText& lineLabel,
                 TLineBuffer& lineBuffer, std::function<std::string()> contentText)
    : FPane(pane), FCounter(counter), FLineLabel(lineLabel), FLineBuffer(lineBuffer),
      FContentText(std::move(contentText)) {}

void TViewer::LoadFileIntoViewer(const TNativeName& path, const std::string& shownPath,
                                 TLoadFocus focus) {
  FOccurrenceOffsets.reset();
  FPane.Clear();
  if (!FLineBuffer.LoadLines(path, shownPath, MaxShownBytes)) throw TooLargeToShow(shownPath);
  const std::string text = FContentText();
  const std::vector<std::string>& lines = FLineBuffer.Lines();
  TOccurrenceOffsets offsets = IndexOccurrences(lines, text, TCodePage::Current());
  if (!WithinShowLimit(lines, offsets ? offsets->size() : 0)) throw TooLargeToShow(shownPath);
  FOccurrenceOffsets = std::move(offsets);
  FPane.LoadRtf(MarkedLinesRtf(lines, FOccurrenceOffsets, text.size(), int(GetACP()),
                               GetSysColor(COLOR_WINDOW)),
                lines.size());
  FPane.SetSelStart(0);
  if (FOccurrenceOffsets) {
    FCurrentOccurrence = 1;
    ShowCurrentOccurrence();
  } else {
    FCounter.SetCaption(NoOccurrenceText);
  }
  if (focus == lfPane) FPane.SetFocus();
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

void TViewer::Step(TNavigStep step) {
  if (!FOccurrenceOffsets) return;
  FCurrentOccurrence = NavigatedOccurrence(step, FCurrentOccurrence,
                                           static_cast<int32_t>(FOccurrenceOffsets->size()));
  ShowCurrentOccurrence();
  FPane.SetFocus();
}

void TViewer::SelectionMoved() {
  FLineLabel.SetCaption(LineLabelText(FPane.LineFromChar(FPane.SelStart())));
}
