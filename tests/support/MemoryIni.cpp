#include "support/MemoryIni.h"

#include "platform/IniText.h"

std::string TMemoryIni::ReadString(const std::string& section, const std::string& key,
                                   const std::string& defaultValue, size_t bufferSize,
                                   const std::string& fileName) {
  const auto file = Files.find(fileName);
  std::string value = defaultValue;
  if (file != Files.end())
    value = TIniText(file->second).Value(section, key).value_or(defaultValue);
  if (value.size() >= bufferSize) value.resize(bufferSize > 0 ? bufferSize - 1 : 0);
  return value;
}

bool TMemoryIni::WriteString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& fileName) {
  if (!Accepts(fileName)) return false;
  TIniText ini(Files[fileName]);
  ini.SetValue(section, key, value);
  Files[fileName] = ini.Text();
  Log.push_back("Write(" + section + "," + key + "," + value + ")");
  return true;
}

bool TMemoryIni::EraseSection(const std::string& section, const std::string& fileName) {
  if (!Accepts(fileName)) return false;
  TIniText ini(Files[fileName]);
  ini.EraseSection(section);
  Files[fileName] = ini.Text();
  Log.push_back("Erase(" + section + ")");
  return true;
}

bool TMemoryIni::Accepts(const std::string& fileName) {
  if (ReadOnly.count(fileName) || WritesLeft == 0) return false;
  if (WritesLeft > 0) --WritesLeft;
  return true;
}
