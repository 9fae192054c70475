#pragma once
// The occurrence index of the file in the viewer: the position, in the pane's text, of the
// first occurrence of the content text on each line, in text order.
#include "platform/CodePage.h"

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
