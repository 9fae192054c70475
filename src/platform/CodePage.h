#pragma once
// The ANSI code page's locale upper-casing, one byte to exactly one byte, so that a position
// found in an upper-cased text is the same position in the text itself; and its characters in
// Unicode, so that a decoded text can be brought to the code page.
#include <array>
#include <string>
#include <string_view>
#include <vector>

class TCodePage {
public:
  using TUpperTable = std::array<unsigned char, 256>;
  using TLeadBytes = std::array<bool, 256>;
  // The character each byte stands for on its own; 0 where it stands for none (NUL, a lead
  // byte, a byte the code page leaves undefined).
  using TUnicodeTable = std::array<char16_t, 256>;
  TCodePage(const TUpperTable& upper, const TLeadBytes& lead, const TUnicodeTable& unicode);

  unsigned char Upper(unsigned char c) const { return FUpper[c]; }
  bool IsLeadByte(unsigned char c) const { return FLead[c]; }
  bool HasLeadBytes() const { return FHasLeadBytes; }
  const unsigned char* UpperTable() const { return FUpper.data(); }
  std::string UpperCase(std::string_view text) const;

  char16_t ToUnicode(unsigned char c) const { return FUnicode[c]; }
  // The byte that stands for c exactly, never a look-alike; 0 when the code page lacks c.
  unsigned char FromUnicode(char32_t c) const {
    return c < FFromUnicode.size() ? FFromUnicode[c] : 0;
  }

  // The tables of this process's code page, built once: on Windows from CharUpperBuffA and
  // from the system's conversion without best fit; Windows-1252 in the host build.
  static const TCodePage& Current();
  // Windows-1252 as Windows upper-cases and converts it; the host build's code page.
  static TCodePage Windows1252();

private:
  TUpperTable FUpper;
  TLeadBytes FLead;
  bool FHasLeadBytes;
  TUnicodeTable FUnicode;
  std::vector<unsigned char> FFromUnicode; // by character of the basic plane
};
