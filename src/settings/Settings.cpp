#include "settings/Settings.h"

#include <algorithm>

#include "platform/SysUtils.h"
#include "platform/SystemFolders.h"
#include "platform/TextCompare.h"

namespace {
const char kGeneral[] = "GENERAL";

// Where one history list lives in the file.
struct THistoryKeys {
  const char* CountKey;
  const char* Section;
  const char* ItemKey;
};
const THistoryKeys kMasks = {"nNbFic", "Fichiers", "cFic"};
const THistoryKeys kTexts = {"nNbCont", "Contenant", "cCont"};

// A hand-edited count such as 2000000000 would have the start-up append empty items until
// memory runs out; no history of real searches comes near this many entries.
const int32_t kMostEntries = 100000;

std::string ItemKey(const THistoryKeys& keys, int k) {
  return Format("%s%d", keys.ItemKey, k);
}

void Append(THistoryList& list, const std::string& text) {
  if (!list.Add(text)) throw Exception("Ne peut insérer une ligne");
}

void LoadHistory(const TSettingsFile& file, const THistoryKeys& keys, THistoryList& list) {
  const int32_t count = std::min(file.ReadInteger(kGeneral, keys.CountKey, 0), kMostEntries);
  for (int32_t k = 1; k <= count; ++k)
    Append(list, file.ReadString(keys.Section, ItemKey(keys, k), ""));
}

void SaveHistory(TSettingsFile& file, const THistoryKeys& keys, const THistoryList& list) {
  const int count = list.Count();
  file.WriteInteger(kGeneral, keys.CountKey, count);
  file.EraseSection(keys.Section);
  for (int k = 1; k <= count; ++k)
    file.WriteString(keys.Section, ItemKey(keys, k), list.Item(k - 1));
}

void SelectStoredFolder(const TSettingsFile& file, TFolderSelector& tree) {
  try {
    tree.SelectPath(file.ReadString(kGeneral, "cRep", ""));
  } catch (...) {
    // The stored folder is gone or unreadable: start in the Windows folder, with no message;
    // if even that fails, start with nothing selected.
    try {
      tree.SelectPath(WindowsFolder());
    } catch (...) {
    }
  }
}
} // namespace

void LoadSettings(const TSettingsFile& file, THistoryList& masks, THistoryList& texts,
                  TFolderSelector& tree) {
  LoadHistory(file, kMasks, masks);
  LoadHistory(file, kTexts, texts);
  tree.Populate();
  SelectStoredFolder(file, tree);
}

void SaveSettings(TSettingsFile& file, const THistoryList& masks, const THistoryList& texts,
                  const TFolderSelector& tree) {
  SaveHistory(file, kMasks, masks);
  SaveHistory(file, kTexts, texts);
  file.WriteString(kGeneral, "cRep", tree.SelectedPath());
}

void AddToHistory(THistoryList& list, const std::string& text) {
  if (text.empty()) return;
  for (int k = 0; k < list.Count(); ++k)
    if (AnsiSameText(list.Item(k), text)) return;
  Append(list, text);
}
