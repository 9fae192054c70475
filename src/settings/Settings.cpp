#include "settings/Settings.h"

#include "base/SysUtils.h"
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

std::string ItemKey(const THistoryKeys& keys, int k) {
  return Format("%s%d", keys.ItemKey, k);
}

void Append(THistoryList& list, const std::string& text) {
  if (!list.Add(text)) throw Exception("Ne peut insérer une ligne");
}

// A hand-edited count such as 2000000000 would have the start-up read keys and append empty
// items for hours. The program writes its entries without gaps, so a long run of absent keys
// means the count is wrong: the run and whatever the count claims after it are not loaded.
const int kLongestAbsentRun = 1000;
// A value never holds a line break, so this default tells an absent key from an empty value;
// it ends in a letter, since the service may strip blanks at a default's end.
const char kAbsent[] = "\n(absent)";

void AppendEmpty(THistoryList& list, int count) {
  for (int k = 0; k < count; ++k)
    Append(list, "");
}

void LoadHistory(const TSettingsFile& file, const THistoryKeys& keys, THistoryList& list) {
  const int32_t count = file.ReadInteger(kGeneral, keys.CountKey, 0);
  int absent = 0; // absent keys since the last present one: empty items once one follows
  for (int32_t k = 1; k <= count; ++k) {
    const std::string value = file.ReadString(keys.Section, ItemKey(keys, k), kAbsent);
    if (value == kAbsent) {
      if (++absent == kLongestAbsentRun) return;
      continue;
    }
    AppendEmpty(list, absent);
    absent = 0;
    Append(list, value);
  }
  AppendEmpty(list, absent);
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
