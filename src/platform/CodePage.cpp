#include "platform/CodePage.h"

#include <algorithm>

TCodePage::TCodePage(const TUpperTable& upper, const TLeadBytes& lead, const TUnicodeTable& unicode)
    : FUpper(upper), FLead(lead),
      FHasLeadBytes(std::any_of(lead.begin(), lead.end(), [](bool b) { return b; })),
      FUnicode(unicode), FFromUnicode(0x10000, 0) {
  for (int c = 1; c < 256; ++c)
    if (unicode[c] != 0) FFromUnicode[unicode[c]] = static_cast<unsigned char>(c);
}

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
  // Latin-1 everywhere but 0x80-0x9F, where Windows keeps the five undefined bytes as the C1
  // controls of the same value.
  static constexpr char16_t High[32] = {
      0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
      0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
  TUnicodeTable unicode;
  for (int c = 0; c < 256; ++c)
    unicode[c] = c >= 0x80 && c < 0xA0 ? High[c - 0x80] : static_cast<char16_t>(c);
  return TCodePage(upper, TLeadBytes{}, unicode);
}
