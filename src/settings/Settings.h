#pragma once
// The settings kept between runs: the mask and text histories (the item lists of the two
// combo boxes) and the last folder of the folder tree, read at start and written at exit.
#include <string>

#include "settings/SettingsFile.h"

// A combo box's item list, in the order the items were added.
class THistoryList {
public:
  virtual ~THistoryList() = default;
  virtual int Count() const = 0;
  virtual std::string Item(int k) const = 0; // 0-based
  // Appends at the end; false when the list refuses the item (out of resources).
  virtual bool Add(const std::string& text) = 0;
};

// The folder tree, as far as the settings need it.
class TFolderSelector {
public:
  virtual ~TFolderSelector() = default;
  virtual void Populate() = 0;
  // Raises when the folder cannot be selected ("Chemin non trouvé.").
  virtual void SelectPath(const std::string& path) = 0;
  // A drive root with its backslash, a folder without; empty when none is selected.
  virtual std::string SelectedPath() const = 0;
};

// Fills both lists exactly as stored (empty and repeated entries included), populates the
// tree and selects the stored folder, or silently the Windows folder when that fails.
void LoadSettings(const TSettingsFile& file, THistoryList& masks, THistoryList& texts,
                  TFolderSelector& tree);
// Writes the counts, each list's section afresh and the selected folder last; other keys of
// "GENERAL" stay. A refused write raises and skips the steps after it. A list that fails to
// give its items leaves its part of the file as it was and raises once the rest is written.
void SaveSettings(TSettingsFile& file, const THistoryList& masks, const THistoryList& texts,
                  const TFolderSelector& tree);
// Appends text unless it is empty or the list already holds it in any letter case.
void AddToHistory(THistoryList& list, const std::string& text);
