#include "support/SettingsDoubles.h"

#include "base/SysUtils.h"
#include "platform/CodePage.h"

#include <stdexcept>

std::string TStringHistory::Item(int k) const {
  if (k == FailsAt) throw std::runtime_error("item unreadable");
  return Items.at(k);
}

bool TStringHistory::Add(const std::string& text) {
  if (Refuses) return false;
  Items.push_back(text);
  return true;
}

void TFakeFolderTree::SelectPath(const std::string& path) {
  Calls.push_back("SelectPath(" + path + ")");
  const TCodePage& page = TCodePage::Current();
  if (page.UpperCase(path) == page.UpperCase(Selected)) return;
  if (!FExists(path)) throw Exception("Chemin non trouvé.");
  Selected = path;
  if (Selected.size() > 3 && Selected.back() == '\\') Selected.pop_back();
}
