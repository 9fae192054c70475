// The line splitter on arbitrary bytes: the lines, read back with the breaks that ended them,
// must give the text up to its first NUL exactly, each line as long as it can be.
#include "search/LineBuffer.h"

#include <cstdint>
#include <string_view>

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

bool IsBreak(char c) {
  return c == '\r' || c == '\n';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::string_view text = bytes.substr(0, bytes.find('\0'));
  size_t pos = 0;
  for (const std::string& line : SplitLines(bytes)) {
    Check(pos < text.size() && line.find_first_of("\r\n") == std::string::npos);
    Check(text.substr(pos, line.size()) == line);
    pos += line.size();
    Check(pos == text.size() || IsBreak(text[pos]));
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  Check(pos == text.size());
  return 0;
}
