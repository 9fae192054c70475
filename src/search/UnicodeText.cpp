#include "search/UnicodeText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

TUtf8Steps::TStep TUtf8Steps::Step(unsigned char c) {
  if (FNeed > 0) {
    if (c < FLow || c > FHigh) {
      FNeed = 0;
      return usBadAgain;
    }
    FChar = FChar << 6 | (c & 0x3F);
    FLow = 0x80, FHigh = 0xBF;
    return --FNeed == 0 ? usChar : usMore;
  }
  if (c < 0x80) {
    FChar = c;
    return usChar;
  }
  // The first byte fixes the length and the range of the second byte, which rules out the
  // overlong forms (E0, F0), the surrogates (ED) and what lies above U+10FFFF (F4).
  if (c >= 0xC2 && c <= 0xDF)
    FNeed = 1, FChar = c & 0x1F;
  else if (c >= 0xE0 && c <= 0xEF)
    FNeed = 2, FChar = c & 0x0F;
  else if (c >= 0xF0 && c <= 0xF4)
    FNeed = 3, FChar = c & 0x07;
  else
    return usBad;
  if (c == 0xE0) FLow = 0xA0;
  if (c == 0xED) FHigh = 0x9F;
  if (c == 0xF0) FLow = 0x90;
  if (c == 0xF4) FHigh = 0x8F;
  return usMore;
}

void TFormProbe::Add(std::string_view piece) {
  for (std::size_t i = 0; FStartCount < FStart.size() && i < piece.size(); ++i)
    FStart[FStartCount++] = static_cast<unsigned char>(piece[i]);
  if (!FCheckUtf8 || FEnded || !FValid) return;
  const std::size_t nul = piece.find('\0');
  FEnded = nul != std::string_view::npos;
  CheckUtf8(piece.substr(0, nul));
}

void TFormProbe::CheckUtf8(std::string_view text) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  std::size_t i = 0;
  while (i < text.size()) {
    // Plain ASCII, eight bytes at a time, between sequences.
    if (!FUtf8.InSequence() && i + 8 <= text.size()) {
      uint64_t word;
      std::memcpy(&word, bytes + i, 8);
      if ((word & 0x8080808080808080u) == 0) {
        i += 8;
        continue;
      }
    }
    const TUtf8Steps::TStep step = FUtf8.Step(bytes[i]);
    if (step == TUtf8Steps::usBad || step == TUtf8Steps::usBadAgain) {
      FValid = false;
      return;
    }
    FHigh = FHigh || bytes[i] >= 0x80;
    ++i;
  }
}

TTextForm TFormProbe::Form() const {
  const auto startsWith = [&](std::initializer_list<unsigned char> mark) {
    return FStartCount >= mark.size() && std::equal(mark.begin(), mark.end(), FStart.begin());
  };
  if (startsWith({0xFF, 0xFE})) return tfUtf16LE;
  if (startsWith({0xFE, 0xFF})) return tfUtf16BE;
  if (startsWith({0xEF, 0xBB, 0xBF})) return tfUtf8Mark;
  if (FCheckUtf8 && FValid && FHigh && !FUtf8.InSequence()) return tfUtf8;
  return tfAnsi;
}

namespace {
std::size_t MarkLength(TTextForm form) {
  switch (form) {
  case tfUtf8Mark: return 3;
  case tfUtf16LE:
  case tfUtf16BE: return 2;
  default: return 0;
  }
}
} // namespace

bool TFormProbe::Settled() const {
  const TTextForm form = Form();
  return FEnded || !FValid || (form != tfAnsi && form != tfUtf8);
}

TUnicodeDecoder::TUnicodeDecoder(TTextForm form, const TCodePage& page, unsigned char lacking)
    : FForm(form), FPage(page), FLacking(static_cast<char>(lacking)), FSkip(MarkLength(form)) {}

char TUnicodeDecoder::Map(char32_t c) const {
  const unsigned char byte = FPage.FromUnicode(c);
  return byte == 0 ? FLacking : static_cast<char>(byte);
}

bool TUnicodeDecoder::Add(std::string_view piece, std::string& out) {
  const std::size_t skip = std::min(FSkip, piece.size());
  FSkip -= skip;
  piece.remove_prefix(skip);
  if (!FEnded) {
    if (FForm == tfUtf8 || FForm == tfUtf8Mark)
      AddUtf8(piece, out);
    else
      AddUtf16(piece, out);
  }
  return !FEnded;
}

void TUnicodeDecoder::AddUtf8(std::string_view piece, std::string& out) {
  const std::size_t nul = piece.find('\0');
  FEnded = nul != std::string_view::npos;
  for (const char c : piece.substr(0, nul)) {
    TUtf8Steps::TStep step = FUtf8.Step(static_cast<unsigned char>(c));
    if (step == TUtf8Steps::usBadAgain) {
      out += FLacking;
      step = FUtf8.Step(static_cast<unsigned char>(c));
    }
    if (step == TUtf8Steps::usChar) out += Map(FUtf8.Char());
    if (step == TUtf8Steps::usBad) out += FLacking;
  }
  // A sequence cut by the NUL is over too.
  if (FEnded && FUtf8.InSequence()) out += FLacking;
}

void TUnicodeDecoder::AddUtf16(std::string_view piece, std::string& out) {
  std::size_t i = 0;
  const auto byteAt = [&](std::size_t k) { return static_cast<unsigned char>(piece[k]); };
  while (!FEnded && i < piece.size()) {
    int first = FOddByte;
    if (first < 0) first = byteAt(i++);
    if (i == piece.size()) {
      FOddByte = first;
      return;
    }
    FOddByte = -1;
    const int second = byteAt(i++);
    AddUnit(static_cast<char16_t>(FForm == tfUtf16LE ? first | second << 8 : first << 8 | second),
            out);
  }
}

void TUnicodeDecoder::AddUnit(char16_t unit, std::string& out) {
  const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
  if (FHighSurrogate != 0) {
    // A pair is a character beyond the basic plane, which no code page holds.
    out += low ? Map(0x10000 + ((FHighSurrogate - 0xD800) << 10) + (unit - 0xDC00)) : FLacking;
    FHighSurrogate = 0;
    if (low) return;
  }
  if (unit == 0)
    FEnded = true;
  else if (unit >= 0xD800 && unit <= 0xDBFF)
    FHighSurrogate = unit;
  else
    out += low ? FLacking : Map(unit);
}

void TUnicodeDecoder::Finish(std::string& out) {
  if (FEnded) return;
  if (FUtf8.InSequence() || FHighSurrogate != 0) out += FLacking;
  if (FOddByte >= 0) out += FLacking;
  FEnded = true;
}

TDecodedReader::TDecodedReader(TOpenFile& file, TTextForm form, const TCodePage& page,
                               unsigned char lacking)
    : FFile(file), FDecoder(form, page, lacking), FRaw(NewAlignedBlock(BlockSize)) {}

std::string_view TDecodedReader::Next() {
  FDecoded.clear();
  while (FDecoded.empty() && FMore) {
    const int64_t count = FFile.Read(FRaw.get(), BlockSize);
    const std::size_t read = static_cast<std::size_t>(std::max<int64_t>(count, 0));
    FMore = FDecoder.Add(std::string_view(FRaw.get(), read), FDecoded) && read == BlockSize;
    if (!FMore) FDecoder.Finish(FDecoded);
  }
  return FDecoded;
}
