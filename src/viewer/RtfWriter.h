#pragma once
// The viewer's text as one RTF document: loading a whole document at once is far faster in
// the rich edit control than colouring each occurrence through the selection.
#include "viewer/OccurrenceIndex.h"

#include <string>
#include <vector>

// Every line followed by a line break, in the pane's own font and the automatic colour; at each
// indexed occurrence, markLength characters (clipped to the line) in blue. Every byte shows as
// itself, whatever RTF syntax the text holds; bytes above 127 are read in codePage, the text's
// ANSI code page. windowColour, the pane's background as 0x00BBGGRR, lets long lines be cut
// into runs that show no difference.
std::string MarkedLinesRtf(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                           size_t markLength, int codePage, uint32_t windowColour);
