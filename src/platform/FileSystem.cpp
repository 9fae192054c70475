#include "platform/FileSystem.h"

std::unique_ptr<TOpenFile> TPathListing::OpenEntry(const TSearchRec& entry) {
  return FFileSystem.OpenForReading(FFolder + entry.Name);
}

std::unique_ptr<TFolderListing> TPathListing::ListFolder(const TSearchRec& entry) {
  return FFileSystem.FindFirst(FFolder + entry.Name + "\\*.*");
}
