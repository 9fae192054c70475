#include "platform/TextCompare.h"

#include "platform/CodePage.h"

bool AnsiSameText(std::string_view a, std::string_view b) {
  const TCodePage& page = TCodePage::Current();
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k)
    if (page.Upper(static_cast<unsigned char>(a[k])) !=
        page.Upper(static_cast<unsigned char>(b[k])))
      return false;
  return true;
}
