#include "platform/PrivateProfile.h"

#include <fstream>
#include <iterator>

#include "platform/IniText.h"

namespace {
// Reads the whole file on every call and writes it back whole after every change, as the
// service's one-access-per-call contract asks.
class TFileProfile : public TPrivateProfile {
public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& fileName) override {
    std::string value = Load(fileName).Value(section, key).value_or(defaultValue);
    if (bufferSize == 0) return {};
    if (value.size() > bufferSize - 1) value.resize(bufferSize - 1);
    return value;
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& fileName) override {
    TIniText ini = Load(fileName);
    ini.SetValue(section, key, value);
    return Save(ini, fileName);
  }

  bool EraseSection(const std::string& section, const std::string& fileName) override {
    TIniText ini = Load(fileName);
    ini.EraseSection(section);
    return Save(ini, fileName);
  }

private:
  static TIniText Load(const std::string& fileName) {
    std::ifstream file(fileName, std::ios::binary);
    return TIniText(std::string(std::istreambuf_iterator<char>(file), {}));
  }

  static bool Save(const TIniText& ini, const std::string& fileName) {
    std::ofstream file(fileName, std::ios::binary | std::ios::trunc);
    file << ini.Text();
    file.close();
    return !file.fail();
  }
};
} // namespace

TPrivateProfile& TPrivateProfile::System() {
  static TFileProfile profile;
  return profile;
}
