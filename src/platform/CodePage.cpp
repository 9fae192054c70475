#include "platform/CodePage.h"

#include <algorithm>

TCodePage::TCodePage(const TUpperTable& upper, const TLeadBytes& lead)
    : FUpper(upper), FLead(lead),
      FHasLeadBytes(std::any_of(lead.begin(), lead.end(), [](bool b) { return b; })) {}

std::string TCodePage::UpperCase(std::string_view text) const {
  std::string result(text);
  for (char& c : result)
    c = static_cast<char>(FUpper[static_cast<unsigned char>(c)]);
  return result;
}

TCodePage TCodePage::Windows1252() {
  TUpperTable upper;
  for (int c = 0; c < 256; ++c)
    upper[c] = static_cast<unsigned char>(c);
  for (int c = 'a'; c <= 'z'; ++c)
    upper[c] = static_cast<unsigned char>(c - 32);
  // Latin-1 small letters à..þ, except the division sign.
  for (int c = 0xE0; c <= 0xFE; ++c)
    if (c != 0xF7) upper[c] = static_cast<unsigned char>(c - 32);
  upper[0x9A] = 0x8A; // š -> Š
  upper[0x9C] = 0x8C; // œ -> Œ
  upper[0x9E] = 0x8E; // ž -> Ž
  upper[0xFF] = 0x9F; // ÿ -> Ÿ
  return TCodePage(upper, TLeadBytes{});
}
