#pragma once
// Stand-ins for the controls the settings read and fill: a combo box's item list and the
// folder tree, each recording what the settings asked of it.
#include <functional>
#include <string>
#include <vector>

#include "settings/Settings.h"

class TStringHistory : public THistoryList {
public:
  TStringHistory(std::vector<std::string> items = {}) : Items(std::move(items)) {}
  int Count() const override { return static_cast<int>(Items.size()); }
  std::string Item(int k) const override;
  bool Add(const std::string& text) override;

  std::vector<std::string> Items;
  bool Refuses = false; // as a list out of resources
  int FailsAt = -1;     // the item that cannot be read: asking for it raises
};

// Selects like the folder tree: the current selection in any letter case changes nothing
// (the empty path with nothing selected included); a folder that does not exist raises
// "Chemin non trouvé."; a drive root keeps its backslash, a folder loses a trailing one.
class TFakeFolderTree : public TFolderSelector {
public:
  explicit TFakeFolderTree(std::function<bool(const std::string&)> exists)
      : FExists(std::move(exists)) {}
  void Populate() override { Calls.push_back("Populate"); }
  void SelectPath(const std::string& path) override;
  std::string SelectedPath() const override { return Selected; }

  std::string Selected;
  std::vector<std::string> Calls; // "Populate", "SelectPath(C:\X)"

private:
  std::function<bool(const std::string&)> FExists;
};
