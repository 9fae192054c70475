#pragma once
// The rest of an open file from its current position, read in blocks as the program reads;
// nothing when a read fails.
#include "platform/FileSystem.h"

#include <optional>
#include <string>

inline std::optional<std::string> ReadAll(TOpenFile& file) {
  std::string content;
  char block[4096];
  for (;;) {
    const int64_t count = file.Read(block, sizeof block);
    if (count < 0) return std::nullopt;
    content.append(block, static_cast<size_t>(count));
    if (count < static_cast<int64_t>(sizeof block)) return content;
  }
}
