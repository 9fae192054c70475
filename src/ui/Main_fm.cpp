#include "ui/Main_fm.h"

#include "base/SysUtils.h"
#include "platform/win32/NativeName.h"
#include "search/SizeFormat.h"
#include "toolkit/Application.h"
#include "toolkit/CodePageText.h"
#include "ui/ShellActions.h"

namespace {
constexpr int ClientWidth = 824;
constexpr int ClientHeight = 514;

HICON MainIcon() {
  return LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
}

void SetUpFoldingPanel(TExpColPanel& panel, int height) {
  panel.SetBevelOuter(bvNone);
  panel.Set_ArrowsColor(clBlue);
  panel.Set_LargHautRef(height);
  panel.Set_PanelState(psExpanded);
}

// A character that the code page lacks would be searched as a look-alike or as "?", which the
// user did not type: the box's text is refused, as an invalid mask is, naming the box.
void CheckHeldByCodePage(const TComboBox& box, const char* boxName) {
  const std::wstring text = box.WideText();
  if (const size_t at = FirstLackingPosition(text))
    throw Exception(Format("'%s' dans %s : caractère absent de la page de code à (%d)",
                           AnsiOf(text).c_str(), boxName, static_cast<int>(at)));
}

// The text that the viewer marks. One that the code page cannot hold occurs in no text as the
// program reads it: it marks nothing, rather than every "?" that stands in its place.
std::string MarkedText(const TComboBox& box) {
  const std::wstring text = box.WideText();
  return FirstLackingPosition(text) ? std::string() : AnsiOf(text);
}
} // namespace

// The controls, one a line, each with its parent, its place and its own arguments, in member
// order, which is the order of creation and so the tab order. (Left unformatted: clang-format
// would put two short ones on one line.)
// clang-format off
TfmMain::TfmMain(std::string settingsPath)
    : TForm("Scrivane", ClientWidth, ClientHeight, MainIcon()),
      ExpColPanel1(Handle(), {0, 0, 824, 300}),
      pnHaut(ExpColPanel1.Handle(), {0, 0, 824, 290}),
      ExpColPanel2(pnHaut.Handle(), {0, 0, 824, 128}),
      stFichiers(ExpColPanel2.Handle(), {8, 16, 36, 13}, "&Fichiers"),
      cbFichiers(ExpColPanel2.Handle(), {64, 16, 145, 21}),
      stContenant(ExpColPanel2.Handle(), {8, 48, 49, 13}, "&Contenant"),
      cbContenant(ExpColPanel2.Handle(), {64, 48, 145, 21}),
      stDans(ExpColPanel2.Handle(), {224, 16, 25, 13}, "&Dans"),
      tvRep(ExpColPanel2.Handle(), {257, 16, 321, 97}),
      cbInclSsDos(ExpColPanel2.Handle(), {8, 96, 137, 17}, "&Inclure les sous-dossiers"),
      btRechercher(ExpColPanel2.Handle(), {152, 80, 97, 33}, "&Rechercher",
                   LoadBitmapResource("BM_RECHERCHER")),
      pnFic(pnHaut.Handle(), {0, 128, 824, 32}),
      stAtteindre(pnFic.Handle(), {8, 4, 42, 13}, "&Atteindre"),
      edAtteindre(pnFic.Handle(), {56, 4, 121, 21}),
      stnNbFic(pnFic.Handle(), {184, 8, 52, 17}, "0 fichier(s)", Font.Handle(), true),
      btOuvrir(pnFic.Handle(), {560, 4, 75, 23}, "&Ouvrir",
               "Ouvrir le fichier avec le programme associé"),
      btExplorateur(pnFic.Handle(), {641, 4, 175, 23}, "Afficher dans l'&Explorateur",
                    "Ouvrir le dossier du fichier dans l'Explorateur"),
      grFic(pnHaut.Handle(), {0, 160, 824, 130}, "grFic"),
      mmLignesConcernees(Handle(), {0, 300, 824, 173}, 0),
      pnCmdesMemo(Handle(), {0, 473, 824, 41}),
      btPremOccur(pnCmdesMemo.Handle(), {8, 8, 25, 25}, FPictures.Load("BM_PREM_OCCUR"),
                  "Première occurrence"),
      btOccurPrec(pnCmdesMemo.Handle(), {32, 8, 25, 25}, FPictures.Load("BM_OCCUR_PREC"),
                  "Occurrence précédente"),
      btOccurSuiv(pnCmdesMemo.Handle(), {56, 8, 25, 25}, FPictures.Load("BM_OCCUR_SUIV"),
                  "Occurrence suivante"),
      btDernOccur(pnCmdesMemo.Handle(), {80, 8, 25, 25}, FPictures.Load("BM_DERN_OCCUR"),
                  "Dernière occurrence"),
      stnNbOccur(pnCmdesMemo.Handle(), {120, 12, 81, 17}, EmptyPaneCounterText, Font.Handle(),
                 true),
      stLigCour(pnCmdesMemo.Handle(), {224, 12, 65, 17}, "", Font.Handle(), false),
      FSettingsPath(std::move(settingsPath)) {
  // clang-format on
  PlaceControls();
  BindEvents();
  FormCreate();
}

TfmMain::~TfmMain() {
  // The window goes while the fields that FormDestroy saves from still exist.
  DestroyHandle();
}

// What the constructor's table leaves: alignments, in the order the edges are taken, and the
// controls' properties.
void TfmMain::PlaceControls() {
  ExpColPanel1.SetAlign(alTop);
  pnHaut.SetAlign(alClient);
  ExpColPanel2.SetAlign(alTop);
  pnFic.SetAlign(alTop);
  grFic.SetAlign(alClient);
  SetAlign(mmLignesConcernees.Handle(), alClient);
  pnCmdesMemo.SetAlign(alBottom);
  SetUpFoldingPanel(ExpColPanel1, 300);
  SetUpFoldingPanel(ExpColPanel2, 128);
  for (TPanel* panel : {&pnHaut, &pnFic, &pnCmdesMemo})
    panel->SetBevelOuter(bvNone);
  stFichiers.SetFocusControl(cbFichiers.Handle());
  stContenant.SetFocusControl(cbContenant.Handle());
  stDans.SetFocusControl(tvRep.Handle());
  stAtteindre.SetFocusControl(edAtteindre.Handle());
  cbInclSsDos.SetChecked(true);
  btOuvrir.SetEnabled(false); // until the grid has a current row
  btExplorateur.SetEnabled(false);
  grFic.SetLabel(stnNbFic.Handle()); // a screen reader hears the count with the list
  grFic.SetRows(0);
  grFic.SetDefaultRowHeight(14);
  grFic.SetThumbTracking(true);
  SetDefaultFont(Handle(), Font.Handle());
  // The tree view makes a font of its own when it is created: it takes the window's instead.
  SendMessageA(tvRep.Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle()), FALSE);
}

void TfmMain::BindEvents() {
  btRechercher.OnClick = [this] { btRechercherClick(); };
  edAtteindre.OnChange = [this] { edAtteindreChange(); };
  btOuvrir.OnClick = [this] { btOuvrirClick(); };
  btExplorateur.OnClick = [this] { btExplorateurClick(); };
  grFic.OnCellLoaded = [this](int col, int row, std::string& value) {
    grFicCellLoaded(col, row, value);
  };
  grFic.OnHeadingClick = [this](int col) { grFicHeadingClick(col); };
  grFic.OnRowChanged = [this](int oldRow, int newRow) { grFicRowChanged(oldRow, newRow); };
  mmLignesConcernees.OnSelectionChange = [this] { mmLignesConcerneesSelectionChange(); };
  // Each button and its F3 key, whatever control has the focus, take one step.
  const struct {
    TSpeedButton& button;
    TNavigStep step;
    unsigned shift;
  } steps[] = {{btPremOccur, nsFirst, ssCtrl},
               {btOccurPrec, nsPrevious, ssShift},
               {btOccurSuiv, nsNext, 0},
               {btDernOccur, nsLast, ssCtrl | ssShift}};
  for (const auto& s : steps) {
    s.button.OnClick = [this, step = s.step] { btNavigClick(step); };
    FShortcuts.Add(VK_F3, s.shift, [this, step = s.step] { btNavigClick(step); });
  }
}

LRESULT TfmMain::WndProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
  case WM_DESTROY: FormDestroy(); return 0;
  case WM_SETTINGCHANGE: RegionalSettingsChanged(); return 0;
  default: return TForm::WndProc(message, wParam, lParam);
  }
}

void TfmMain::FormCreate() {
  SettingsFile = std::make_unique<TSettingsFile>(FSettingsPath);
  LoadSettings(*SettingsFile, FMaskHistory, FTextHistory, FFolders);
  FEngine = std::make_unique<TSearchEngine>(PlatformFileSystem(),
                                            TFormatSettings::FromRegional(ReadRegionalSettings()));
  FViewer =
      std::make_unique<TViewer>(mmLignesConcernees, stnNbOccur, stLigCour, FEngine->LineBuffer(),
                                [this] { return MarkedText(cbContenant); });
  SetUpColumns();
}

// Heading first, then width, alignment and the heading button, column by column.
void TfmMain::SetUpColumns() {
  const struct {
    const char* Heading;
    int Width; // 0: the layout's width stays
    TAlignment Alignment;
  } columns[] = {{"Fichier", 200, taLeftJustify},
                 {"Dossier", 400, taLeftJustify},
                 {"Taille", 0, taRightJustify},
                 {"Date Heure", 140, taCenter}};
  for (int k = 1; k <= 4; ++k) {
    TtsCol& col = grFic.Col(k);
    col.SetHeading(columns[k - 1].Heading);
    if (columns[k - 1].Width) col.SetWidth(columns[k - 1].Width);
    if (columns[k - 1].Alignment != taLeftJustify) col.SetAlignment(columns[k - 1].Alignment);
    col.SetHeadingButton(cbButton);
  }
}

// Runs once, when the window goes; a failure is shown and the saving steps after it skipped.
void TfmMain::FormDestroy() {
  if (FDestroyed) return;
  FDestroyed = true;
  FViewer.reset();
  FEngine.reset();
  Application().Guarded(
      [this] { SaveSettings(*SettingsFile, FMaskHistory, FTextHistory, FFolders); });
  SettingsFile.reset();
  PostQuitMessage(0);
}

// The walk visits the message queue for Échap: the grid is emptied first, so that nothing
// that reaches it meanwhile finds rows whose records are gone. A refused box leaves the last
// search as it was.
void TfmMain::btRechercherClick() {
  CheckHeldByCodePage(cbFichiers, "Fichiers");
  CheckHeldByCodePage(cbContenant, "Contenant");
  FoundFiles().clear();
  grFic.SetRows(0);
  const std::string count = stnNbFic.Text();
  Application().SetBusyCursor(true);
  TSearchOutcome outcome = soCompleted;
  try {
    TSearchWatch watch(stnNbFic);
    outcome = FEngine->Search(SearchRequestFromControls(), &watch, ChosenNativeFolder());
  } catch (...) {
    Application().SetBusyCursor(false);
    stnNbFic.SetCaption(count); // as it was, whatever the walk showed
    throw;
  }
  Application().SetBusyCursor(false);
  SortFoundFiles(FoundFiles(), FGridOrder, 1, CompareByName);
  AddToHistory(FMaskHistory, cbFichiers.Text());
  AddToHistory(FTextHistory, cbContenant.Text());
  stnNbFic.SetCaption(FileCountText(FoundFiles().size(), outcome == soStopped));
  FViewer->Clear();
  try {
    grFic.SetRows(static_cast<int>(FoundFiles().size()));
  } catch (...) {
    // The first file could not be shown: the user goes on from the list, not from the control
    // the search was started in (a key there would change the next search).
    ::SetFocus(grFic.Handle());
    throw;
  }
  grFic.ReloadCells();
  ::SetFocus(grFic.Handle());
}

TSearchRequest TfmMain::SearchRequestFromControls() const {
  TSearchRequest request;
  request.Folder = tvRep.SelectedPath();
  request.Mask = cbFichiers.Text();
  if (request.Mask.empty()) request.Mask = "*.*";
  request.Text = cbContenant.Text();
  request.IncludeSubfolders = cbInclSsDos.Checked();
  return request;
}

// The chosen node's own path: its shown one (the request's folder) may hold "?" for characters
// that the code page lacks, and then names no folder.
std::optional<TNativeName> TfmMain::ChosenNativeFolder() const {
  const std::wstring native = tvRep.SelectedNativePath();
  if (native.empty()) return std::nullopt;
  return NativeName(native);
}

// A row chosen by a key (the grid's arrows, a name typed in the go-to box) leaves the focus
// there, so that the next key goes on from it; a row clicked gives the focus to the viewer.
void TfmMain::grFicRowChanged(int /*oldRow*/, int newRow) {
  btOuvrir.SetEnabled(newRow > 0);
  btExplorateur.SetEnabled(newRow > 0);
  if (newRow <= 0) return;
  FViewer->LoadFileIntoViewer({CurrentFile().NativePath, CurrentFilePath()},
                              Application().HandlingKey() ? lfKeep : lfPane);
}

const TInfoFic& TfmMain::CurrentFile() const {
  return *FEngine->FoundFiles()[grFic.SelectedRow() - 1];
}

std::string TfmMain::CurrentFilePath() const {
  return JoinPath(CurrentFile().Folder, CurrentFile().Name);
}

void TfmMain::grFicCellLoaded(int dataCol, int dataRow, std::string& value) {
  const TInfoFic& file = *FoundFiles()[dataRow - 1];
  switch (dataCol) {
  case 1: value = file.Name; break;
  case 2: value = file.Folder; break;
  case 3:
    value =
        SizeText(file.Size, [this](const std::string& text) { return grFic.TextFits(3, text); });
    break;
  case 4: value = file.DateText; break;
  default: break;
  }
}

void TfmMain::grFicHeadingClick(int dataCol) {
  SortByHeading(FoundFiles(), FGridOrder, dataCol);
}

void TfmMain::edAtteindreChange() {
  GoToName(FoundFiles(), FGridOrder, edAtteindre.Text());
}

void TfmMain::btOuvrirClick() {
  OpenWithAssociatedProgram(Handle(), WidePath(CurrentFile().NativePath), CurrentFilePath());
}

void TfmMain::btExplorateurClick() {
  ShowInExplorer(WidePath(CurrentFile().NativePath), CurrentFilePath());
}

// The viewer is none before the start and after the end. A button clicked gives the pane the
// focus, where the selection shows; F3 steps and leaves the focus where the user is.
void TfmMain::btNavigClick(TNavigStep step) {
  if (FViewer) FViewer->Step(step, Application().HandlingKey() ? lfKeep : lfPane);
}

void TfmMain::mmLignesConcerneesSelectionChange() {
  if (FViewer) FViewer->SelectionMoved();
}

void TfmMain::RegionalSettingsChanged() {
  if (FEngine) FEngine->SetFormatSettings(TFormatSettings::FromRegional(ReadRegionalSettings()));
}
