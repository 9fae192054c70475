#include "platform/CodePage.h"

#include <windows.h>

namespace {
// Upper-cases one byte at a time, so that the table maps every byte to exactly one byte.
TCodePage::TUpperTable UpperFromSystem() {
  TCodePage::TUpperTable upper;
  for (int c = 0; c < 256; ++c) {
    char byte = static_cast<char>(c);
    CharUpperBuffA(&byte, 1);
    upper[c] = static_cast<unsigned char>(byte);
  }
  return upper;
}

TCodePage::TLeadBytes LeadBytesFromSystem() {
  TCodePage::TLeadBytes lead{};
  CPINFO info{};
  if (GetCPInfo(CP_ACP, &info))
    for (int k = 0; k + 1 < MAX_LEADBYTES && info.LeadByte[k] != 0; k += 2)
      for (int c = info.LeadByte[k]; c <= info.LeadByte[k + 1]; ++c)
        lead[c] = true;
  return lead;
}

// A byte's character is kept only when the conversion back, without best fit, gives that same
// byte: a character then never reaches the code page as a look-alike.
TCodePage::TUnicodeTable UnicodeFromSystem(const TCodePage::TLeadBytes& lead) {
  TCodePage::TUnicodeTable unicode{};
  for (int c = 1; c < 256; ++c) {
    if (lead[c]) continue;
    const char byte = static_cast<char>(c);
    wchar_t wide = 0;
    if (MultiByteToWideChar(CP_ACP, MB_ERR_INVALID_CHARS, &byte, 1, &wide, 1) != 1) continue;
    char back = 0;
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, &wide, 1, &back, 1, nullptr,
                            &usedDefault) == 1 &&
        !usedDefault && back == byte)
      unicode[c] = static_cast<char16_t>(wide);
  }
  return unicode;
}

TCodePage FromSystem() {
  const TCodePage::TLeadBytes lead = LeadBytesFromSystem();
  return TCodePage(UpperFromSystem(), lead, UnicodeFromSystem(lead));
}
} // namespace

const TCodePage& TCodePage::Current() {
  static const TCodePage page = FromSystem();
  return page;
}
