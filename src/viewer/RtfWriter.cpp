#include "viewer/RtfWriter.h"

#include "platform/SysUtils.h"

#include <algorithm>

namespace {
void AppendEscaped(std::string& rtf, std::string_view text) {
  static const char Hex[] = "0123456789abcdef";
  for (const char c : text) {
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
    AppendEscaped(rtf, line);
  } else {
    const size_t markEnd = markStart + std::min(markLength, line.size() - markStart);
    AppendEscaped(rtf, line.substr(0, markStart));
    rtf += "\\cf1 ";
    AppendEscaped(rtf, line.substr(markStart, markEnd - markStart));
    rtf += "\\cf0 ";
    AppendEscaped(rtf, line.substr(markEnd));
  }
  rtf += "\\par\r\n"; // the reader ignores raw line breaks; they keep the document readable
}
} // namespace

std::string MarkedLinesRtf(const std::vector<std::string>& lines, const TOccurrenceOffsets& offsets,
                           size_t markLength, const TRtfCharset& charset) {
  // Colour 0 is left empty, so that \cf0 is the automatic colour; colour 1 is blue.
  std::string rtf = Format("{\\rtf1\\ansi\\ansicpg%d\\deff0"
                           "{\\fonttbl{\\f0\\fmodern\\fcharset%d Courier New;}}"
                           "{\\colortbl;\\red0\\green0\\blue255;}\\f0\\fs20\r\n",
                           charset.CodePage, charset.CharSet);
  size_t total = 0;
  for (const std::string& line : lines) total += line.size() + 8;
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
