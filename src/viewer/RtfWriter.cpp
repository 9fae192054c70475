#include "viewer/RtfWriter.h"

#include "base/SysUtils.h"

#include <algorithm>

namespace {
// The control lays a paragraph out in a time that grows with the square of its longest run of
// one look: a line of 50,000 characters took half a minute to show under Wine. A long line
// therefore changes look every RunLength bytes, between no highlight and a highlight in the
// window's own colour (colour 2), which show the same.
constexpr size_t RunLength = 256;

// Bytes [from, to) of line, each shown as itself.
void AppendEscaped(std::string& rtf, std::string_view line, size_t from, size_t to) {
  static const char Hex[] = "0123456789abcdef";
  for (size_t k = from; k < to; ++k) {
    if (k % RunLength == 0 && k > 0) rtf += k / RunLength % 2 ? "\\highlight2 " : "\\highlight0 ";
    const char c = line[k];
    const auto byte = static_cast<unsigned char>(c);
    if (byte == '\\' || byte == '{' || byte == '}') {
      rtf += '\\';
      rtf += c;
    } else if (byte == '\t') {
      rtf += "\\tab ";
    } else if (byte < 0x20 || byte >= 0x7F) {
      rtf += "\\'";
      rtf += Hex[byte >> 4];
      rtf += Hex[byte & 15];
    } else {
      rtf += c;
    }
  }
}

void AppendLine(std::string& rtf, std::string_view line, size_t markStart, size_t markLength) {
  if (markStart >= line.size()) {
    AppendEscaped(rtf, line, 0, line.size());
  } else {
    const size_t markEnd = markStart + std::min(markLength, line.size() - markStart);
    AppendEscaped(rtf, line, 0, markStart);
    rtf += "\\cf1 ";
    AppendEscaped(rtf, line, markStart, markEnd);
    rtf += "\\cf0 ";
    AppendEscaped(rtf, line, markEnd, line.size());
  }
  if (line.size() > RunLength && (line.size() - 1) / RunLength % 2) rtf += "\\highlight0 ";
  rtf += "\\par\r\n"; // the reader ignores raw line breaks; they keep the document readable
}
} // namespace

std::string MarkedLinesRtf(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                           size_t markLength, int codePage, uint32_t windowColour) {
  // Colour 0 is left empty, so that \cf0 is the automatic colour; colour 1 is blue, colour 2
  // the window's background. No font: text in the pane's own font is what the control measures
  // its line scrolling by.
  std::string rtf = Format(
      "{\\rtf1\\ansi\\ansicpg%d{\\colortbl;\\red0\\green0\\blue255;\\red%u\\green%u\\blue%u;}\r\n",
      codePage, windowColour & 0xFF, windowColour >> 8 & 0xFF, windowColour >> 16 & 0xFF);
  size_t total = 0;
  for (const std::string& line : lines)
    total += line.size() + 8;
  rtf.reserve(rtf.size() + total + total / 4);
  const std::vector<int32_t> none;
  const std::vector<int32_t>& marks = offsets ? *offsets : none;
  auto nextMark = marks.begin();
  int64_t lineStart = 0;
  for (const std::string& line : lines) {
    size_t markStart = std::string::npos;
    if (nextMark != marks.end() && *nextMark < lineStart + int64_t(line.size())) {
      markStart = size_t(*nextMark - lineStart);
      ++nextMark;
    }
    AppendLine(rtf, line, markStart, markLength);
    lineStart += int64_t(line.size()) + LineBreakLength;
  }
  // The control drops the document's last paragraph mark; this one stands in for it.
  rtf += "\\par}";
  return rtf;
}
