#include "viewer/OccurrenceIndex.h"

#include <algorithm>

#include <emmintrin.h>

TOccurrenceFinder::TOccurrenceFinder(std::string_view upperText, const TCodePage& page)
    : FUpperText(upperText), FUpper(page.UpperTable()) {
  if (FUpperText.empty()) return;
  int variants = 0;
  for (int c = 0; c < 256; ++c) {
    if (FUpper[c] != static_cast<unsigned char>(FUpperText[0])) continue;
    (variants++ ? FFirstB : FFirstA) = static_cast<unsigned char>(c);
  }
  FTwoAtMost = variants == 1 || variants == 2;
  if (variants == 1) FFirstB = FFirstA;
}

bool TOccurrenceFinder::MatchesAt(std::string_view line, size_t at) const {
  return std::equal(FUpperText.begin(), FUpperText.end(), line.begin() + std::ptrdiff_t(at),
                    [&](char u, char c) {
                      return static_cast<unsigned char>(u) == FUpper[static_cast<unsigned char>(c)];
                    });
}

size_t TOccurrenceFinder::Find(std::string_view line) const {
  if (FUpperText.empty() || FUpperText.size() > line.size()) return std::string_view::npos;
  const size_t starts = line.size() - FUpperText.size() + 1; // where a match may begin
  size_t i = 0;
  if (FTwoAtMost) {
    const __m128i a = _mm_set1_epi8(static_cast<char>(FFirstA));
    const __m128i b = _mm_set1_epi8(static_cast<char>(FFirstB));
    for (; i + 16 <= starts; i += 16) {
      const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(line.data() + i));
      for (int firsts =
               _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, a), _mm_cmpeq_epi8(bytes, b)));
           firsts; firsts &= firsts - 1) {
        const size_t at = i + static_cast<size_t>(__builtin_ctz(firsts));
        if (MatchesAt(line, at)) return at;
      }
    }
  }
  const auto first = static_cast<unsigned char>(FUpperText[0]);
  for (; i < starts; ++i)
    if (FUpper[static_cast<unsigned char>(line[i])] == first && MatchesAt(line, i)) return i;
  return std::string_view::npos;
}

TOccurrenceOffsets IndexOccurrences(const std::vector<std::string>& lines, std::string_view text,
                                    const TCodePage& page) {
  if (text.empty()) return std::nullopt;
  const TOccurrenceFinder finder(page.UpperCase(text), page);
  std::vector<int32_t> offsets;
  int64_t lineStart = 0;
  for (const std::string& line : lines) {
    const size_t p = finder.Find(line);
    if (p != std::string_view::npos)
      offsets.push_back(static_cast<int32_t>(lineStart + int64_t(p)));
    lineStart += int64_t(line.size()) + LineBreakLength;
  }
  if (offsets.empty()) return std::nullopt;
  return offsets;
}

TIndexedText LoadIndexedText(TLineBuffer& lineBuffer, const TFilePath& path,
                             const std::string& text, const TCodePage& page, uint64_t maxBytes) {
  TUnicodeRule rule(text, page);
  const TLoadedText loaded = lineBuffer.LoadText(path, rule, maxBytes);
  if (loaded == ltTooLong) return {false, std::nullopt};
  TIndexedText indexed{true, IndexOccurrences(lineBuffer.Lines(), text, page)};
  if (loaded == ltDecoded) lineBuffer.ShowLacking(rule.Lacking());
  return indexed;
}
