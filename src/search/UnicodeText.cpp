#include "search/UnicodeText.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <emmintrin.h>

namespace {
// How many bytes from the start of text are below 0x80, sixteen at a time: most of a Unicode
// text file is plain ASCII, and only its other bytes need the steps of UTF-8.
std::size_t AsciiRun(const unsigned char* text, std::size_t size) {
  std::size_t i = 0;
  for (; i + 16 <= size; i += 16) {
    const int high = _mm_movemask_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i)));
    if (high) return i + static_cast<std::size_t>(__builtin_ctz(high));
  }
  while (i < size && text[i] < 0x80)
    ++i;
  return i;
}

// The character of the two-byte sequence at text, the form of every accented Latin letter, or 0
// when none begins there: such a sequence needs none of the steps of the longer ones.
char32_t TwoByteChar(const unsigned char* text, std::size_t size) {
  if (size < 2 || text[0] < 0xC2 || text[0] > 0xDF || (text[1] & 0xC0) != 0x80) return 0;
  return static_cast<char32_t>((text[0] & 0x1F) << 6 | (text[1] & 0x3F));
}

// Stores the eight UTF-16 units at from as bytes at to, and tells how many of the first ones
// lie between U+0001 and U+007F, the ones whose bytes stand for them.
std::size_t StoreAsciiUnits(const unsigned char* from, bool bigEndian, char* to) {
  __m128i units = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
  if (bigEndian) units = _mm_or_si128(_mm_slli_epi16(units, 8), _mm_srli_epi16(units, 8));
  _mm_storel_epi64(reinterpret_cast<__m128i*>(to), _mm_packus_epi16(units, units));
  // Units of 0x8000 and more are negative here, and fail the first test.
  const __m128i ascii = _mm_and_si128(_mm_cmpgt_epi16(units, _mm_setzero_si128()),
                                      _mm_cmplt_epi16(units, _mm_set1_epi16(0x80)));
  const int other = ~_mm_movemask_epi8(ascii) & 0xFFFF;
  return other ? static_cast<std::size_t>(__builtin_ctz(other)) / 2 : 8;
}
} // namespace

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
  FLow = 0x80, FHigh = 0xBF; // a sequence broken early left its own bounds
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
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!FUtf8.InSequence()) {
      i += AsciiRun(bytes + i, text.size() - i);
      if (TwoByteChar(bytes + i, text.size() - i)) {
        FHigh = true;
        ++i;
        continue;
      }
    }
    if (i == text.size()) return;
    const TUtf8Steps::TStep step = FUtf8.Step(bytes[i]);
    if (step == TUtf8Steps::usBad || step == TUtf8Steps::usBadAgain) {
      FValid = false;
      return;
    }
    FHigh = true;
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
    : FForm(form), FPage(page), FLacking(static_cast<char>(lacking)), FSkip(MarkLength(form)) {
  FAsciiSame = true;
  for (char32_t c = 1; c < 0x80; ++c)
    FAsciiSame = FAsciiSame && Map(c) == static_cast<char>(c);
}

char TUnicodeDecoder::Map(char32_t c) const {
  const unsigned char byte = FPage.FromUnicode(c);
  return byte == 0 ? FLacking : static_cast<char>(byte);
}

bool TUnicodeDecoder::Add(std::string_view piece, std::string& out) {
  const std::size_t start = out.size();
  out.resize(start + Room(piece.size()));
  out.resize(static_cast<std::size_t>(Write(piece, out.data() + start) - out.data()));
  return !FEnded;
}

char* TUnicodeDecoder::Write(std::string_view piece, char* out) {
  const std::size_t skip = std::min(FSkip, piece.size());
  FSkip -= skip;
  piece.remove_prefix(skip);
  if (FEnded) return out;
  return FForm == tfUtf8 || FForm == tfUtf8Mark ? WriteUtf8(piece, out) : WriteUtf16(piece, out);
}

// A byte gives at most one character; a sequence the last piece left open may give one more.
// Runs of ASCII are copied whole.
char* TUnicodeDecoder::WriteUtf8(std::string_view piece, char* to) {
  const std::size_t nul = piece.find('\0');
  FEnded = nul != std::string_view::npos;
  const std::string_view text = piece.substr(0, nul);
  const auto* bytes = reinterpret_cast<const unsigned char*>(text.data());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!FUtf8.InSequence()) {
      const std::size_t run = AsciiRun(bytes + i, text.size() - i);
      if (FAsciiSame)
        std::memcpy(to, bytes + i, run);
      else
        std::transform(bytes + i, bytes + i + run, to, [&](unsigned char c) { return Map(c); });
      to += run;
      i += run;
      if (const char32_t c = TwoByteChar(bytes + i, text.size() - i)) {
        *to++ = Map(c);
        ++i;
        continue;
      }
      if (i == text.size()) break;
    }
    TUtf8Steps::TStep step = FUtf8.Step(bytes[i]);
    if (step == TUtf8Steps::usBadAgain) {
      *to++ = FLacking;
      step = FUtf8.Step(bytes[i]);
    }
    if (step == TUtf8Steps::usChar) *to++ = Map(FUtf8.Char());
    if (step == TUtf8Steps::usBad) *to++ = FLacking;
  }
  // A sequence cut by the NUL is over too.
  if (FEnded && FUtf8.InSequence()) *to++ = FLacking;
  return to;
}

// A unit gives at most one character, a high surrogate the last piece left one more, and a
// run of plain units is stored eight at a time, with room for the eight.
char* TUnicodeDecoder::WriteUtf16(std::string_view piece, char* to) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(piece.data());
  const bool bigEndian = FForm == tfUtf16BE;
  std::size_t i = 0;
  while (!FEnded && i < piece.size()) {
    for (std::size_t run = 8;
         run == 8 && FAsciiSame && FOddByte < 0 && FHighSurrogate == 0 && i + 16 <= piece.size();
         i += 2 * run, to += run)
      run = StoreAsciiUnits(bytes + i, bigEndian, to);
    if (i == piece.size()) break;
    int first = FOddByte;
    if (first < 0) first = bytes[i++];
    if (i == piece.size()) {
      FOddByte = first;
      break;
    }
    FOddByte = -1;
    const int second = bytes[i++];
    to = AddUnit(static_cast<char16_t>(bigEndian ? first << 8 | second : first | second << 8), to);
  }
  return to;
}

char* TUnicodeDecoder::AddUnit(char16_t unit, char* to) {
  const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
  if (FHighSurrogate != 0) {
    // A pair is a character beyond the basic plane, which no code page holds.
    *to++ = low ? Map(0x10000 + ((FHighSurrogate - 0xD800) << 10) + (unit - 0xDC00)) : FLacking;
    FHighSurrogate = 0;
    if (low) return to;
  }
  if (unit == 0)
    FEnded = true;
  else if (unit >= 0xD800 && unit <= 0xDBFF)
    FHighSurrogate = unit;
  else
    *to++ = low ? FLacking : Map(unit);
  return to;
}

char* TUnicodeDecoder::Finish(char* out) {
  if (FEnded) return out;
  if (FUtf8.InSequence() || FHighSurrogate != 0) *out++ = FLacking;
  if (FOddByte >= 0) *out++ = FLacking;
  FEnded = true;
  return out;
}

void TUnicodeDecoder::Finish(std::string& out) {
  char lacking[2];
  out.append(lacking, Finish(lacking));
}

TDecodedReader::TDecodedReader(TOpenFile& file, TTextForm form, const TCodePage& page,
                               unsigned char lacking)
    : FFile(file), FDecoder(form, page, lacking), FRaw(NewAlignedBlock(FSize)),
      FDecoded(NewAlignedBlock(TUnicodeDecoder::Room(FSize))) {}

std::string_view TDecodedReader::Next() {
  if (FMore && FStarted) Grow(); // what the last call gave is used: its blocks may go
  FStarted = true;
  char* end = FDecoded.get();
  while (end == FDecoded.get() && FMore) {
    const int64_t count = FFile.Read(FRaw.get(), FSize);
    const std::size_t read = static_cast<std::size_t>(std::max<int64_t>(count, 0));
    end = FDecoder.Write(std::string_view(FRaw.get(), read), end);
    FMore = !FDecoder.Ended() && read == FSize;
    if (!FMore) end = FDecoder.Finish(end);
  }
  return {FDecoded.get(), static_cast<std::size_t>(end - FDecoded.get())};
}

void TDecodedReader::Grow() {
  if (FSize == BlockSize) return;
  FSize = BlockSize;
  FRaw = NewAlignedBlock(FSize);
  FDecoded = NewAlignedBlock(TUnicodeDecoder::Room(FSize));
}
