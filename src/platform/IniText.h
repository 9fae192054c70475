#pragma once
// The lines of an INI file, read and changed as the private-profile service does: sections
// "[name]" and lines "key=value", names compared ignoring ASCII letter case, blanks around
// names and values dropped. Lines it does not change are kept as they were.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class TIniText {
public:
  explicit TIniText(std::string_view text = {});

  std::optional<std::string> Value(std::string_view section, std::string_view key) const;
  void SetValue(std::string_view section, std::string_view key, std::string_view value);
  void EraseSection(std::string_view section);
  // Every line followed by CR LF.
  std::string Text() const;

private:
  std::vector<std::string> FLines;
  // [first line after the heading, end of the section), or nothing when it is missing.
  std::optional<std::pair<size_t, size_t>> SectionLines(std::string_view section) const;
  std::optional<size_t> KeyLine(std::pair<size_t, size_t> lines, std::string_view key) const;
};
