#pragma once
// A file whose reading ends early once a stop is asked for: a search stopped in the middle of a
// large file gives up at its next block, and the file is then not found.
#include "platform/FileSystem.h"

#include <functional>

using TStopCheck = std::function<bool()>;

class TStoppableFile : public TOpenFile {
public:
  // stopped is asked before each read; both must outlive this.
  TStoppableFile(TOpenFile& file, const TStopCheck& stopped) : FFile(file), FStopped(stopped) {}
  int64_t Read(char* buffer, size_t count) override {
    return FStopped() ? 0 : FFile.Read(buffer, count);
  }
  bool Rewind() override { return FFile.Rewind(); }
  bool HeldElsewhere() override { return FFile.HeldElsewhere(); }
  bool ReadDetails(TSearchRec& entry) override { return FFile.ReadDetails(entry); }

private:
  TOpenFile& FFile;
  const TStopCheck& FStopped;
};
