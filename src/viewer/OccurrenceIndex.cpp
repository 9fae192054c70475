#include "viewer/OccurrenceIndex.h"

#include <algorithm>

size_t FirstOccurrence(std::string_view line, std::string_view upperText, const TCodePage& page) {
  if (upperText.empty() || upperText.size() > line.size()) return std::string_view::npos;
  const unsigned char* upper = page.UpperTable();
  const auto first = static_cast<unsigned char>(upperText[0]);
  const std::string_view rest = upperText.substr(1);
  const size_t last = line.size() - upperText.size();
  for (size_t i = 0; i <= last; ++i) {
    if (upper[static_cast<unsigned char>(line[i])] != first) continue;
    const bool matches =
        std::equal(rest.begin(), rest.end(), line.begin() + i + 1, [&](char u, char c) {
          return static_cast<unsigned char>(u) == upper[static_cast<unsigned char>(c)];
        });
    if (matches) return i;
  }
  return std::string_view::npos;
}

TOccurrenceOffsets IndexOccurrences(const std::vector<std::string>& lines, std::string_view text,
                                    const TCodePage& page) {
  if (text.empty()) return std::nullopt;
  const std::string upperText = page.UpperCase(text);
  std::vector<int32_t> offsets;
  int64_t lineStart = 0;
  for (const std::string& line : lines) {
    const size_t p = FirstOccurrence(line, upperText, page);
    if (p != std::string_view::npos)
      offsets.push_back(static_cast<int32_t>(lineStart + int64_t(p)));
    lineStart += int64_t(line.size()) + LineBreakLength;
  }
  if (offsets.empty()) return std::nullopt;
  return offsets;
}

TIndexedText LoadIndexedText(TLineBuffer& lineBuffer, const std::string& path,
                             const std::string& text, const TCodePage& page, uint64_t maxBytes) {
  TUnicodeRule rule(text, page);
  const TLoadedText loaded = lineBuffer.LoadText(path, rule, maxBytes);
  if (loaded == ltTooLong) return {false, std::nullopt};
  TIndexedText indexed{true, IndexOccurrences(lineBuffer.Lines(), text, page)};
  if (loaded == ltDecoded) lineBuffer.ShowLacking(rule.Lacking());
  return indexed;
}
