#include "platform/PrivateProfile.h"

#include <vector>

#include <windows.h>

namespace {
class TWin32Profile : public TPrivateProfile {
public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& fileName) override {
    if (bufferSize == 0) return {};
    std::vector<char> buffer(bufferSize);
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(bufferSize), fileName.c_str());
    return std::string(buffer.data(), length);
  }

  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& fileName) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      fileName.c_str()) != FALSE;
  }

  bool EraseSection(const std::string& section, const std::string& fileName) override {
    return WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, fileName.c_str()) != FALSE;
  }
};
} // namespace

TPrivateProfile& TPrivateProfile::System() {
  static TWin32Profile profile;
  return profile;
}
