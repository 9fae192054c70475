#pragma once
// The private-profile service over texts held in memory, one per file name, read and changed
// by the same INI rules as the host's file service. Writes can be refused, for a whole file
// or after a number of accepted writes, and every accepted write is logged in order.
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/PrivateProfile.h"

class TMemoryIni : public TPrivateProfile {
public:
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& defaultValue, size_t bufferSize,
                         const std::string& fileName) override;
  bool WriteString(const std::string& section, const std::string& key, const std::string& value,
                   const std::string& fileName) override;
  bool EraseSection(const std::string& section, const std::string& fileName) override;

  std::map<std::string, std::string> Files; // file name -> text; absent: no file
  std::set<std::string> ReadOnly;           // files whose writes are refused
  int WritesLeft = -1;                      // writes accepted before all are refused; -1: any
  std::vector<std::string> Log;             // "Write(GENERAL,nNbFic,2)", "Erase(Fichiers)"

private:
  bool Accepts(const std::string& fileName);
};
