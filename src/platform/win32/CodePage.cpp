#include "platform/CodePage.h"

#include <windows.h>

namespace {
// Upper-cases one byte at a time, so that the table maps every byte to exactly one byte.
TCodePage FromSystem() {
  TCodePage::TUpperTable upper;
  for (int c = 0; c < 256; ++c) {
    char byte = static_cast<char>(c);
    CharUpperBuffA(&byte, 1);
    upper[c] = static_cast<unsigned char>(byte);
  }
  TCodePage::TLeadBytes lead{};
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info))
    for (int k = 0; k + 1 < MAX_LEADBYTES && info.LeadByte[k] != 0; k += 2)
      for (int c = info.LeadByte[k]; c <= info.LeadByte[k + 1]; ++c)
        lead[c] = true;
  return TCodePage(upper, lead);
}
} // namespace

const TCodePage& TCodePage::Current() {
  static const TCodePage page = FromSystem();
  return page;
}
