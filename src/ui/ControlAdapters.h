#pragma once
// The window's controls seen through the small interfaces that the core declares.
#include "base/SysUtils.h"
#include "controls/FolderTreeView.h"
#include "grid/TsGrid.h"
#include "search/ResultOrder.h"
#include "search/SearchProgress.h"
#include "settings/Settings.h"
#include "toolkit/ComboBox.h"
#include "toolkit/EscapeWatch.h"
#include "toolkit/StaticText.h"

// The ordering's view of the result grid: the sort marks are the columns' sort pictures.
class TGridOrder : public TResultGrid {
public:
  explicit TGridOrder(TtsGrid& grid) : FGrid(grid) {}
  int Cols() const override { return FGrid.Cols(); }
  int SelectedRow() const override { return FGrid.SelectedRow(); }
  void SetSelectedRow(int row) override { FGrid.SetSelectedRow(row); }
  void ShowCell(int col, int row) override { FGrid.ShowCell(col, row); }
  void ReloadCells() override { FGrid.ReloadCells(); }
  void SetSortMark(int col, TSortMark mark) override {
    FGrid.Col(col).SetSortPicture(mark == TSortMark::spBullet ? spBullet : spNone);
  }

private:
  TtsGrid& FGrid;
};

// A history: the item list of a combo box. A refused item raises the box's own error.
class TComboHistory : public THistoryList {
public:
  explicit TComboHistory(TComboBox& box) : FBox(box) {}
  int Count() const override { return FBox.ItemCount(); }
  std::string Item(int k) const override { return FBox.Item(k); }
  bool Add(const std::string& text) override {
    FBox.AddItem(text);
    return true;
  }

private:
  TComboBox& FBox;
};

class TTreeFolders : public TFolderSelector {
public:
  explicit TTreeFolders(TFolderTreeView& tree) : FTree(tree) {}
  void Populate() override { FTree.Populate(); }
  void SelectPath(const std::string& path) override { FTree.SelectPath(path); }
  std::string SelectedPath() const override { return FTree.SelectedPath(); }

private:
  TFolderTreeView& FTree;
};

// The count text of found files; after a search that Échap stopped, it says so.
inline std::string FileCountText(size_t count, bool stopped = false) {
  return Format(stopped ? "%d fichier(s) (recherche interrompue)" : "%d fichier(s)",
                static_cast<int>(count));
}

// The walk seen in the window: now and then the count of files found so far is painted at once,
// and Échap stops the walk. Nothing else of the window is painted: the grid is empty meanwhile.
class TSearchWatch : public TSearchProgress {
public:
  explicit TSearchWatch(TStaticText& count) : FCount(count) {}
  bool StopRequested(size_t foundCount) override {
    if (!FEscape.Due()) return false;
    FCount.SetCaption(FileCountText(foundCount));
    RedrawWindow(GetParent(FCount.Handle()), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    return FEscape.EscapePressed();
  }

private:
  TStaticText& FCount;
  TEscapeWatch FEscape;
};
