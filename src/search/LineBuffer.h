#pragma once
// The one rule that splits a file into lines, shared by the search and the viewer, and the
// list of lines of the last file loaded.
#include "platform/FileSystem.h"

#include <string>
#include <string_view>
#include <vector>

// The text ends at the first NUL byte; CR LF, a lone LF and a lone CR each end one line; the
// last line counts without a line break, and a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

class TLineBuffer {
public:
  explicit TLineBuffer(TFileSystem& fileSystem = PlatformFileSystem());

  const std::vector<std::string>& Lines() const { return FLines; }
  // Replaces the lines with those of the file at path, opened for reading. Raises
  // "Ne peut ouvrir le fichier %s" when it cannot be opened (the lines are then kept) or
  // read, std::bad_alloc when it does not fit in memory.
  void LoadLines(const std::string& path);

private:
  TFileSystem& FFileSystem;
  std::vector<std::string> FLines;
};
