#include "settings/SettingsFile.h"

#include <algorithm>
#include <string_view>

#include "base/SysUtils.h"
#include "platform/SystemFolders.h"

namespace {
const size_t ReadBufferSize = 1024;

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Up to 32 bits of hexadecimal digits; their bits are the value, so $FFFFFFFF is -1.
bool HexToInteger(std::string_view digits, uint32_t& value) {
  if (digits.empty()) return false;
  uint64_t v = 0;
  for (char c : digits) {
    const int d = HexDigit(c);
    if (d < 0 || (v = v * 16 + d) > 0xFFFFFFFFu) return false;
  }
  value = static_cast<uint32_t>(v);
  return true;
}

// Decimal digits whose value, with the sign, lies within 32 bits.
bool DecimalToInteger(std::string_view digits, bool negative, uint32_t& value) {
  if (digits.empty()) return false;
  const uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  uint64_t v = 0;
  for (char c : digits)
    if (c < '0' || c > '9' || (v = v * 10 + (c - '0')) > limit) return false;
  value = static_cast<uint32_t>(v);
  return true;
}

bool SignedToInteger(std::string_view text, int32_t& value) {
  text.remove_prefix(std::min(text.find_first_not_of(" \t"), text.size()));
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  uint32_t magnitude = 0;
  const bool ok = !text.empty() && text[0] == '$' ? HexToInteger(text.substr(1), magnitude)
                                                  : DecimalToInteger(text, negative, magnitude);
  // Unsigned arithmetic: negating the largest magnitudes wraps instead of overflowing.
  if (ok) value = static_cast<int32_t>(negative ? 0u - magnitude : magnitude);
  return ok;
}
// A value is one line of the file: a line break in it (a history entry that another program
// put in a box) would start lines of its own, a second section heading among them, so the
// value ends at its first one. The service drops blanks around a value and then one pair of
// quotes around it; quoting a value that would lose either makes it read back exactly (a text
// searched with its blanks).
std::string Protected(std::string value) {
  value.resize(std::min(value.find_first_of("\r\n"), value.size()));
  if (value.empty()) return value;
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  const bool quoted =
      value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0];
  return blank(value.front()) || blank(value.back()) || quoted ? '"' + value + '"' : value;
}
} // namespace

bool TextToInteger(const std::string& text, int32_t& value) {
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    uint32_t bits = 0;
    if (!HexToInteger(std::string_view(text).substr(2), bits)) return false;
    value = static_cast<int32_t>(bits);
    return true;
  }
  return SignedToInteger(text, value);
}

TSettingsFile::TSettingsFile(std::string path, TPrivateProfile& profile)
    : FPath(std::move(path)), FProfile(profile) {}

std::string TSettingsFile::ReadString(const std::string& section, const std::string& key,
                                      const std::string& defaultValue) const {
  return FProfile.ReadString(section, key, defaultValue, ReadBufferSize, FPath);
}

int32_t TSettingsFile::ReadInteger(const std::string& section, const std::string& key,
                                   int32_t defaultValue) const {
  int32_t value = 0;
  return TextToInteger(ReadString(section, key, ""), value) ? value : defaultValue;
}

void TSettingsFile::WriteString(const std::string& section, const std::string& key,
                                const std::string& value) {
  CheckWritten(FProfile.WriteString(section, key, Protected(value), FPath));
}

void TSettingsFile::WriteInteger(const std::string& section, const std::string& key,
                                 int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void TSettingsFile::EraseSection(const std::string& section) {
  CheckWritten(FProfile.EraseSection(section, FPath));
}

void TSettingsFile::CheckWritten(bool written) const {
  if (!written) throw Exception(Format("Ne peut écrire dans %s", FPath.c_str()));
}

std::string SettingsFilePath() {
  return ProgramFolder() + "Scrivane.ini";
}
