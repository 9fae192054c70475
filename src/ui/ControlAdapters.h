#pragma once
// The window's controls seen through the small interfaces that the core declares.
#include "controls/FolderTreeView.h"
#include "grid/TsGrid.h"
#include "search/ResultOrder.h"
#include "settings/Settings.h"
#include "toolkit/ComboBox.h"

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
