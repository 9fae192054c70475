#pragma once
// One found file and the list of the last search's found files.
#include "platform/FileSystem.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct TInfoFic {
  int32_t Index = 0;      // 1-based position in FoundFiles, rewritten by every sort
  std::string Name;       // as the folder listing gives it
  std::string Folder;     // as the walk reached it
  int64_t Size = 0;       // in bytes
  int32_t Time = 0;       // last-write time, local, packed MS-DOS date (high 16 bits) and time
  std::string DateText;   // FormatFileTime(Time), fixed when the record is made
  TNativeName NativePath; // what opens the file, whatever Name shows; never shown nor stored
};

// Owns its records; sorting moves only the references.
using TFoundFiles = std::vector<std::unique_ptr<TInfoFic>>;
