#include "viewer/win32/Viewer.h"

#include "base/SysUtils.h"

#include "viewer/Navigation.h"
#include "viewer/RtfWriter.h"
#include "viewer/ShowLimit.h"

namespace {
Exception TooLargeToShow(const std::string& path) {
  return Exception(Format("Fichier trop volumineux pour être affiché : %s", path.c_str()));
}
} // namespace

TViewer::TViewer(const TViewerControls& controls, TLineBuffer& lineBuffer,
                 std::function<std::string()> contentText)
    : FControls(controls), FLineBuffer(lineBuffer), FContentText(std::move(contentText)) {}

void TViewer::LoadFileIntoViewer(const std::string& path, TLoadFocus focus) {
  TRichEditPane& pane = FControls.mmLignesConcernees;
  FOccurrenceOffsets.reset();
  pane.Clear();
  if (!FLineBuffer.LoadLines(path, MaxShownBytes)) throw TooLargeToShow(path);
  const std::string text = FContentText();
  const std::vector<std::string>& lines = FLineBuffer.Lines();
  TOccurrenceOffsets offsets = IndexOccurrences(lines, text, TCodePage::Current());
  if (!WithinShowLimit(lines, offsets ? offsets->size() : 0)) throw TooLargeToShow(path);
  FOccurrenceOffsets = std::move(offsets);
  pane.LoadRtf(MarkedLinesRtf(lines, FOccurrenceOffsets, text.size(), int(GetACP()),
                              GetSysColor(COLOR_WINDOW)),
               lines.size());
  pane.SetSelStart(0);
  if (FOccurrenceOffsets) {
    FCurrentOccurrence = 1;
    ShowCurrentOccurrence();
  } else {
    FControls.stnNbOccur.SetCaption(NoOccurrenceText);
  }
  if (focus == lfPane) pane.SetFocus();
}

void TViewer::ShowCurrentOccurrence() {
  TRichEditPane& pane = FControls.mmLignesConcernees;
  const int caretLine = pane.LineFromChar(pane.SelStart());
  const int32_t target = (*FOccurrenceOffsets)[FCurrentOccurrence - 1];
  pane.ScrollLines(pane.LineFromChar(target) - caretLine);
  pane.SetSelStart(target);
  pane.SetSelLength(static_cast<int32_t>(FContentText().size()));
  FControls.stnNbOccur.SetCaption(
      OccurrenceCounterText(FCurrentOccurrence, static_cast<int32_t>(FOccurrenceOffsets->size())));
}

void TViewer::btNavigClick(const TSpeedButton& sender) {
  if (!FOccurrenceOffsets) return;
  const TNavigStep step = &sender == &FControls.btOccurPrec   ? nsPrevious
                          : &sender == &FControls.btOccurSuiv ? nsNext
                          : &sender == &FControls.btPremOccur ? nsFirst
                                                              : nsLast;
  FCurrentOccurrence = NavigatedOccurrence(step, FCurrentOccurrence,
                                           static_cast<int32_t>(FOccurrenceOffsets->size()));
  ShowCurrentOccurrence();
  FControls.mmLignesConcernees.SetFocus();
}

void TViewer::mmLignesConcerneesSelectionChange() {
  const TRichEditPane& pane = FControls.mmLignesConcernees;
  FControls.stLigCour.SetCaption(LineLabelText(pane.LineFromChar(pane.SelStart())));
}
