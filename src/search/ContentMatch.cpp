#include "search/ContentMatch.h"

#include "search/LineBuffer.h"

bool LinesContainText(const std::vector<std::string>& lines, const std::string& upperNeedle,
                      const TCodePage& page) {
  std::string upper;
  for (const std::string& line : lines) {
    upper.resize(line.size());
    for (size_t i = 0; i < line.size(); ++i)
      upper[i] = static_cast<char>(page.Upper(static_cast<unsigned char>(line[i])));
    if (upper.find(upperNeedle) != std::string::npos) return true;
  }
  return false;
}

bool PlainContainsText(std::string_view bytes, const std::string& text, const TCodePage& page) {
  return text.empty() || LinesContainText(SplitLines(bytes), page.UpperCase(text), page);
}
