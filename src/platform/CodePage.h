#pragma once
// The ANSI code page's locale upper-casing, one byte to exactly one byte, so that a position
// found in an upper-cased text is the same position in the text itself.
#include <array>
#include <string>
#include <string_view>

class TCodePage {
public:
  using TUpperTable = std::array<unsigned char, 256>;
  using TLeadBytes = std::array<bool, 256>;
  TCodePage(const TUpperTable& upper, const TLeadBytes& lead);

  unsigned char Upper(unsigned char c) const { return FUpper[c]; }
  bool IsLeadByte(unsigned char c) const { return FLead[c]; }
  bool HasLeadBytes() const { return FHasLeadBytes; }
  const unsigned char* UpperTable() const { return FUpper.data(); }
  std::string UpperCase(std::string_view text) const;

  // The table of this process's code page, built once: CharUpperBuffA on Windows,
  // Windows-1252 in the host build.
  static const TCodePage& Current();
  // Windows-1252 as Windows upper-cases it; the host build's code page.
  static TCodePage Windows1252();

private:
  TUpperTable FUpper;
  TLeadBytes FLead;
  bool FHasLeadBytes;
};
