#include "platform/FileSystem.h"

#include <new>

std::optional<std::string> ReadAll(TOpenFile& file) {
  const uint64_t size = file.Size();
  std::string content;
  if (size > content.max_size()) throw std::bad_alloc();
  content.resize(size);
  const int64_t read = file.Read(content.data(), content.size());
  if (read < 0) return std::nullopt;
  content.resize(read); // a file that shrank since it was opened gives what it still holds
  return content;
}

std::unique_ptr<TOpenFile> TPathListing::OpenEntry(const TSearchRec& entry) {
  return FFileSystem.OpenForReading(FFolder + entry.Name);
}

std::unique_ptr<TFolderListing> TPathListing::ListFolder(const TSearchRec& entry) {
  return FFileSystem.FindFirst(FFolder + entry.Name + "\\*.*");
}
