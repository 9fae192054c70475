#pragma once
// The program's one window: the search pane, the result list and the text viewer, one above
// the other, and the objects they share (the settings, the found files, the line buffer).
#include "controls/ExpColPanel.h"
#include "controls/FolderTreeView.h"
#include "grid/TsGrid.h"
#include "search/SearchEngine.h"
#include "settings/SettingsFile.h"
#include "toolkit/BitBtn.h"
#include "toolkit/Button.h"
#include "toolkit/CheckBox.h"
#include "toolkit/ComboBox.h"
#include "toolkit/Edit.h"
#include "toolkit/Font.h"
#include "toolkit/Form.h"
#include "toolkit/Label.h"
#include "toolkit/Panel.h"
#include "toolkit/Shortcuts.h"
#include "toolkit/SpeedButton.h"
#include "toolkit/StaticText.h"
#include "ui/ControlAdapters.h"
#include "viewer/win32/RichEditPane.h"
#include "viewer/win32/Viewer.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

// Bitmaps that the window owns and its controls borrow.
class TPictures {
public:
  TPictures() = default;
  TPictures(const TPictures&) = delete;
  TPictures& operator=(const TPictures&) = delete;
  // The program's bitmap resource of that name.
  HBITMAP Load(const char* name) {
    HBITMAP picture = LoadBitmapResource(name);
    FHandles.emplace_back(picture);
    return picture;
  }

private:
  std::vector<TGdiObject<HBITMAP>> FHandles;
};

class TfmMain : public TForm {
public:
  // settingsPath: where the settings file lies, beside the program unless a test says.
  explicit TfmMain(std::string settingsPath = SettingsFilePath());
  ~TfmMain() override;

  // The window's controls, in their tab order within each parent.
  TFont Font{"MS Sans Serif", -11};
  TExpColPanel ExpColPanel1;
  TPanel pnHaut;
  TExpColPanel ExpColPanel2;
  TLabel stFichiers;
  TComboBox cbFichiers;
  TLabel stContenant;
  TComboBox cbContenant;
  TLabel stDans;
  TFolderTreeView tvRep;
  TCheckBox cbInclSsDos;
  TBitBtn btRechercher;
  TPanel pnFic;
  TLabel stAtteindre;
  TEdit edAtteindre;
  TStaticText stnNbFic;
  TButton btOuvrir, btExplorateur;
  TtsGrid grFic;
  TRichEditPane mmLignesConcernees;
  TPanel pnCmdesMemo;
  TPictures FPictures; // the tool buttons only borrow their pictures
  TSpeedButton btPremOccur, btOccurPrec, btOccurSuiv, btDernOccur;
  TStaticText stnNbOccur;
  TStaticText stLigCour;

  TFoundFiles& FoundFiles() { return FEngine->FoundFiles(); }
  const TViewer& Viewer() const { return *FViewer; }

protected:
  LRESULT WndProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
  void PlaceControls();
  void BindEvents();
  void FormCreate();
  void SetUpColumns();
  void FormDestroy();
  void btRechercherClick();
  TSearchRequest SearchRequestFromControls() const;
  std::optional<TNativeName> ChosenNativeFolder() const;
  void grFicRowChanged(int oldRow, int newRow);
  void grFicCellLoaded(int dataCol, int dataRow, std::string& value);
  void grFicHeadingClick(int dataCol);
  void edAtteindreChange();
  void btOuvrirClick();
  void btExplorateurClick();
  // The record of the grid's current row, and its path as shown.
  const TInfoFic& CurrentFile() const;
  std::string CurrentFilePath() const;
  // The one click handler of the four occurrence buttons, each bound to its step.
  void btNavigClick(TNavigStep step);
  void mmLignesConcerneesSelectionChange();
  void RegionalSettingsChanged();

  std::string FSettingsPath;
  TGridOrder FGridOrder{grFic};
  TComboHistory FMaskHistory{cbFichiers}, FTextHistory{cbContenant};
  TTreeFolders FFolders{tvRep};
  TShortcuts FShortcuts{Handle()};
  std::unique_ptr<TSettingsFile> SettingsFile;
  std::unique_ptr<TSearchEngine> FEngine;
  std::unique_ptr<TViewer> FViewer;
  bool FDestroyed = false;
};
