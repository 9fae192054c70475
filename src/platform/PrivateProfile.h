#pragma once
// The private-profile (INI) service: every call is one access to the file, nothing is cached.
#include <cstddef>
#include <string>

class TPrivateProfile {
public:
  virtual ~TPrivateProfile() = default;
  // The key's value, or defaultValue when the key, its section or the file is missing;
  // read through a buffer of bufferSize bytes, so at most bufferSize - 1 characters.
  virtual std::string ReadString(const std::string& section, const std::string& key,
                                 const std::string& defaultValue, size_t bufferSize,
                                 const std::string& fileName) = 0;
  // Stores the value, creating the file and the section when needed; false when refused.
  virtual bool WriteString(const std::string& section, const std::string& key,
                           const std::string& value, const std::string& fileName) = 0;
  // Removes the section with all its keys; false when refused.
  virtual bool EraseSection(const std::string& section, const std::string& fileName) = 0;

  // GetPrivateProfileStringA and WritePrivateProfileStringA on Windows; an IniText reader
  // and writer of the file in the host build.
  static TPrivateProfile& System();
};
