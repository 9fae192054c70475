#pragma once
// The occurrence index of the file in the viewer: the position, in the pane's text, of the
// first occurrence of the content text on each line, in text order.
#include "platform/CodePage.h"
#include "search/LineBuffer.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// No value while the file has no indexed occurrence; when it holds an array, the array is
// never empty. Occurrence k (1-based, as CurrentOccurrence counts) is element k - 1.
using TOccurrenceOffsets = std::optional<std::vector<int32_t>>;

// The pane shows every line followed by CR LF, so each line break counts two positions.
constexpr int32_t LineBreakLength = 2;

// The first occurrence of one content text, line after line.
class TOccurrenceFinder {
public:
  // upperText is already upper-cased by page, which must outlive the finder.
  TOccurrenceFinder(std::string_view upperText, const TCodePage& page);
  // The 0-based index in line of the first place where the text occurs, both sides compared
  // upper-cased; npos when it does not occur or the text is empty.
  size_t Find(std::string_view line) const;

private:
  bool MatchesAt(std::string_view line, size_t at) const;

  std::string FUpperText;
  const unsigned char* FUpper;
  // When at most two bytes upper-case to the text's first, they are sought sixteen at a time.
  bool FTwoAtMost = false;
  unsigned char FFirstA = 0, FFirstB = 0;
};

// The index of lines for the content text text; no value when text is empty or no line holds it.
TOccurrenceOffsets IndexOccurrences(const std::vector<std::string>& lines, std::string_view text,
                                    const TCodePage& page);

// A file's text loaded for the viewer and its index.
struct TIndexedText {
  bool WithinLimit = true; // false: the text is past the bound, and nothing is loaded
  TOccurrenceOffsets Offsets;
};

// Loads into lineBuffer the text of path that the content rule reads for text (a Unicode
// file's decoded text where the rule reads it so, else the bytes), at most maxBytes of it, and
// indexes it for text; a character that the code page lacks is indexed as matching nothing and
// then shows as '?'. Raises as TLineBuffer::LoadText.
TIndexedText LoadIndexedText(TLineBuffer& lineBuffer, const TFilePath& path,
                             const std::string& text, const TCodePage& page, uint64_t maxBytes);
