#pragma once
// The viewer's text as one RTF document: loading a whole document at once is far faster in
// the rich edit control than colouring each occurrence through the selection.
#include "viewer/OccurrenceIndex.h"

#include <string>
#include <vector>

// The ANSI code page of the text and the matching font character set, so that every byte
// of the text reads back from the pane as the same byte.
struct TRtfCharset {
  int CodePage = 1252;
  int CharSet = 0;
};

// Every line followed by a line break, in Courier New 10 pt and the automatic colour; at each
// indexed occurrence, markLength characters (clipped to the line) in blue. Every byte shows as
// itself, whatever RTF syntax the text holds.
std::string MarkedLinesRtf(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                           size_t markLength, const TRtfCharset& charset);
