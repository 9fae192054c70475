#include "settings/Settings.h"

#include "base/SysUtils.h"
#include "platform/SystemFolders.h"
#include "platform/TextCompare.h"

#include <exception>
#include <vector>

namespace {
const char GeneralSection[] = "GENERAL";

// Where one history list lives in the file.
struct THistoryKeys {
  const char* CountKey;
  const char* Section;
  const char* ItemKey;
};
const THistoryKeys MaskKeys = {"nNbFic", "Fichiers", "cFic"};
const THistoryKeys TextKeys = {"nNbCont", "Contenant", "cCont"};

std::string ItemKey(const THistoryKeys& keys, int k) {
  return Format("%s%d", keys.ItemKey, k);
}

void Append(THistoryList& list, const std::string& text) {
  if (!list.Add(text)) throw Exception("Ne peut insérer une ligne");
}

// A hand-edited count such as 2000000000 would have the start-up read keys and append empty
// items for hours. The program writes its entries without gaps, so a long run of absent keys
// means the count is wrong: the run and whatever the count claims after it are not loaded.
const int LongestAbsentRun = 1000;
// A value never holds a line break, so this default tells an absent key from an empty value;
// it ends in a letter, since the service may strip blanks at a default's end.
const char Absent[] = "\n(absent)";

void AppendEmpty(THistoryList& list, int count) {
  for (int k = 0; k < count; ++k)
    Append(list, "");
}

void LoadHistory(const TSettingsFile& file, const THistoryKeys& keys, THistoryList& list) {
  const int32_t count = file.ReadInteger(GeneralSection, keys.CountKey, 0);
  int absent = 0; // absent keys since the last present one: empty items once one follows
  for (int32_t k = 1; k <= count; ++k) {
    const std::string value = file.ReadString(keys.Section, ItemKey(keys, k), Absent);
    if (value == Absent) {
      if (++absent == LongestAbsentRun) return;
      continue;
    }
    AppendEmpty(list, absent);
    absent = 0;
    Append(list, value);
  }
  AppendEmpty(list, absent);
}

std::vector<std::string> Items(const THistoryList& list) {
  std::vector<std::string> items(list.Count());
  for (size_t k = 0; k < items.size(); ++k)
    items[k] = list.Item(static_cast<int>(k));
  return items;
}

// The list is read whole before its section is erased: a box that fails part way leaves this
// list's count and section as they were, and costs neither the other list nor the folder.
// Its error is kept in failure, the first one only.
void SaveHistory(TSettingsFile& file, const THistoryKeys& keys, const THistoryList& list,
                 std::exception_ptr& failure) {
  std::vector<std::string> items;
  try {
    items = Items(list);
  } catch (...) {
    if (!failure) failure = std::current_exception();
    return;
  }
  file.WriteInteger(GeneralSection, keys.CountKey, static_cast<int32_t>(items.size()));
  file.EraseSection(keys.Section);
  for (size_t k = 0; k < items.size(); ++k)
    file.WriteString(keys.Section, ItemKey(keys, static_cast<int>(k) + 1), items[k]);
}

void SelectStoredFolder(const TSettingsFile& file, TFolderSelector& tree) {
  try {
    tree.SelectPath(file.ReadString(GeneralSection, "cRep", ""));
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
  LoadHistory(file, MaskKeys, masks);
  LoadHistory(file, TextKeys, texts);
  tree.Populate();
  SelectStoredFolder(file, tree);
}

void SaveSettings(TSettingsFile& file, const THistoryList& masks, const THistoryList& texts,
                  const TFolderSelector& tree) {
  std::exception_ptr failure;
  SaveHistory(file, MaskKeys, masks, failure);
  SaveHistory(file, TextKeys, texts, failure);
  file.WriteString(GeneralSection, "cRep", tree.SelectedPath());
  if (failure) std::rethrow_exception(failure);
}

void AddToHistory(THistoryList& list, const std::string& text) {
  if (text.empty()) return;
  for (int k = 0; k < list.Count(); ++k)
    if (AnsiSameText(list.Item(k), text)) return;
  Append(list, text);
}
