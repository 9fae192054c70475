#include "search/UnicodeRule.h"

#include <algorithm>

namespace {
// '?' when the text leaves it free, else the first other byte that is no line break and that
// no byte of the text equals once upper-cased. A text holding every other byte as well is
// beyond what a box holds; '?' then stands.
unsigned char ChooseLacking(const std::string& upperText, const TCodePage& page) {
  const auto free = [&](int c) {
    return c != '\r' && c != '\n' &&
           upperText.find(static_cast<char>(page.Upper(static_cast<unsigned char>(c)))) ==
               std::string::npos;
  };
  if (free('?')) return '?';
  for (int c = 1; c < 256; ++c)
    if (free(c)) return static_cast<unsigned char>(c);
  return '?';
}

// No byte of 0x80 or more upper-cases to a byte below it: a text of such bytes only is then
// found in a UTF-8 file's bytes wherever it is found in its characters.
bool PlainAscii(const std::string& upperText, const TCodePage& page) {
  if (std::any_of(upperText.begin(), upperText.end(),
                  [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    return false;
  for (int c = 0x80; c < 256; ++c)
    if (page.Upper(static_cast<unsigned char>(c)) < 0x80) return false;
  return true;
}
} // namespace

TUnicodeRule::TUnicodeRule(std::string_view text, const TCodePage& page)
    : FPage(page), FText(text) {
  const std::string upperText = page.UpperCase(text);
  FChecksUtf8 = text.empty() || !PlainAscii(upperText, page);
  FLacking = ChooseLacking(upperText, page);
}

// The scan is made for each decoded file, which few files are, so that the rule holds nothing a
// decision changes.
bool TUnicodeRule::ReadsDecoded(TTextForm form, TOpenFile& file) const {
  if (form == tfAnsi || FText.empty()) return form != tfAnsi;
  TTextScan scan(FText, FPage);
  return ReadsDecoded(form, file, scan);
}

bool TUnicodeRule::ReadsDecoded(TTextForm form, TOpenFile& file, TTextScan& scan) const {
  if (form == tfAnsi) return false;
  if (FText.empty()) return true;
  if (!scan.Applies()) return false; // a line break: no line can hold the text
  TDecodedReader reader = Decoded(form, file);
  std::string_view piece;
  return scan.Contains([&](char* buffer, std::size_t size) {
    if (piece.empty()) piece = reader.Next();
    const std::size_t count = std::min(size, piece.size());
    std::copy_n(piece.data(), count, buffer);
    piece.remove_prefix(count);
    return count;
  });
}

TDecodedReader TUnicodeRule::Decoded(TTextForm form, TOpenFile& file) const {
  return TDecodedReader(file, form, FPage, FLacking);
}
