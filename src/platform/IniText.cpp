#include "platform/IniText.h"

namespace {
std::string_view Trim(std::string_view s) {
  const size_t first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; };
  if (a.size() != b.size()) return false;
  for (size_t k = 0; k < a.size(); ++k)
    if (fold(a[k]) != fold(b[k])) return false;
  return true;
}

std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  const size_t close = line.find(']');
  if (line.empty() || line[0] != '[' || close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

std::optional<std::string_view> KeyName(std::string_view line) {
  const size_t equal = line.find('=');
  if (equal == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(0, equal));
}
} // namespace

TIniText::TIniText(std::string_view text) {
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    FLines.emplace_back(line);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
}

std::optional<std::pair<size_t, size_t>> TIniText::SectionLines(std::string_view section) const {
  auto isHeading = [section](std::string_view line) {
    const auto name = SectionName(line);
    return name && SameName(*name, section);
  };
  size_t i = 0;
  while (i < FLines.size() && !isHeading(FLines[i]))
    ++i;
  if (i == FLines.size()) return std::nullopt;
  size_t end = i + 1;
  while (end < FLines.size() && !SectionName(FLines[end]))
    ++end;
  return std::pair{i + 1, end};
}

std::optional<size_t> TIniText::KeyLine(std::pair<size_t, size_t> lines,
                                        std::string_view key) const {
  for (size_t i = lines.first; i < lines.second; ++i)
    if (const auto name = KeyName(FLines[i]); name && SameName(*name, key)) return i;
  return std::nullopt;
}

std::optional<std::string> TIniText::Value(std::string_view section, std::string_view key) const {
  const auto lines = SectionLines(section);
  if (!lines) return std::nullopt;
  const auto line = KeyLine(*lines, key);
  if (!line) return std::nullopt;
  const std::string_view text = FLines[*line];
  std::string_view value = Trim(text.substr(text.find('=') + 1));
  if (value.size() > 1 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0])
    value = value.substr(1, value.size() - 2);
  return std::string(value);
}

void TIniText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
  std::string entry = std::string(key) + "=" + std::string(value);
  const auto lines = SectionLines(section);
  if (!lines) {
    if (!FLines.empty() && !Trim(FLines.back()).empty()) FLines.emplace_back();
    // Appended rather than "[" + ... + "]", which GCC 12 misreads as an overlapping copy.
    FLines.push_back(std::string("[").append(section).append("]"));
    FLines.push_back(std::move(entry));
  } else if (const auto line = KeyLine(*lines, key)) {
    FLines[*line] = std::move(entry);
  } else {
    // After the section's last entry, so that a blank line before the next section stays.
    size_t at = lines->second;
    while (at > lines->first && Trim(FLines[at - 1]).empty())
      --at;
    FLines.insert(FLines.begin() + at, std::move(entry));
  }
}

void TIniText::EraseSection(std::string_view section) {
  if (const auto lines = SectionLines(section))
    FLines.erase(FLines.begin() + (lines->first - 1), FLines.begin() + lines->second);
}

std::string TIniText::Text() const {
  std::string text;
  for (const std::string& line : FLines)
    text += line + "\r\n";
  return text;
}
