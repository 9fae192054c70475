#pragma once
// The settings file: "Scrivane.ini" beside the program. It holds only the file's path; every
// read and write is one access to the file through the private-profile service.
#include <cstdint>
#include <string>

#include "platform/PrivateProfile.h"

class TSettingsFile {
public:
  explicit TSettingsFile(std::string path, TPrivateProfile& profile = TPrivateProfile::System());

  const std::string& Path() const { return FPath; }
  // At most 1,023 characters: longer values come back cut.
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue) const;
  // "0x1F" (more than 2 characters), or blanks, a sign and decimal digits or "$" and
  // hexadecimal digits; anything else, a missing key included, gives defaultValue.
  int32_t ReadInteger(const std::string& section, const std::string& key,
                      int32_t defaultValue) const;
  // These three raise "Ne peut écrire dans <path>" when the service refuses. A value is cut
  // at its first line break; one with blanks or quotes at its ends is written in quotes, so
  // that it reads back unchanged.
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, int32_t value);
  void EraseSection(const std::string& section);

private:
  std::string FPath;
  TPrivateProfile& FProfile;
  void CheckWritten(bool written) const;
};

// "Scrivane.ini" in the running program's folder; the current directory plays no part.
std::string SettingsFilePath();

// The integer of a settings value by the rules of ReadInteger; false when it is not one.
bool TextToInteger(const std::string& text, int32_t& value);
