#pragma once
// A file system held in memory: listing order, attributes, sizes beyond 4 GiB, locked files,
// links and odd times without real files. Paths are in the engine's form (C:\Docs\a.txt),
// native paths too.
#include "platform/FileSystem.h"

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <vector>

class TMemoryFileSystem : public TFileSystem {
public:
  struct TEntry {
    std::string Name;
    uint32_t Attr = 0;
    uint64_t Size = 0;   // what the listing reports; set with the content, changeable
    int32_t Time = 0;    // packed, as the listing reports it
    std::string Content; // what reading the file gives
    bool Locked = false; // another program holds it exclusively: it cannot be opened
    bool ReadFails = false;
    std::string Target; // a link's folder
    std::string Shown;  // the name the listing shows, when not Name ("?" for what it lacks)
  };

  // Parent folders are made as needed; entries are listed in the order they were added. The
  // entry returned may be changed until the next entry is added.
  TEntry& AddFile(const std::string& path, const std::string& content = "",
                  uint32_t attr = faArchive);
  // The folder's entry; nullptr for a drive root.
  TEntry* AddFolder(const std::string& path, uint32_t attr = faDirectory);
  TEntry& AddLink(const std::string& path, const std::string& target);
  // The entry at path, to change between searches; it must exist.
  TEntry& Entry(const std::string& path);

  TNativeName NativePath(const std::string& path) override { return {path}; }
  std::unique_ptr<TFolderListing> ListFolder(const TNativeName& folder) override;
  std::unique_ptr<TOpenFile> OpenForReading(const TNativeName& path) override;
  std::optional<TFolderId> FolderIdentity(const TNativeName& folder) override;

  // Files are read, and released, on the search's worker threads too.
  int OpenListings = 0;                 // listings not yet released
  std::atomic<int> OpenFiles = 0;       // files not yet released
  std::atomic<uint64_t> BytesRead = 0;  // by every file opened
  std::atomic<int> MisalignedReads = 0; // into a buffer off a 64-byte boundary: 3-5 x slower
  std::vector<std::string> Listed;      // the folders listed, in order
  std::vector<std::string> Opened;      // the files opened, in order (on one thread)

  static const int32_t DefaultTime; // 25/12/2005 14:03:08

private:
  struct TFolder {
    uint64_t Id;
    std::vector<TEntry> Entries;
  };
  TFolder& Folder(const std::string& key);
  TEntry& Add(const std::string& path, TEntry entry);
  TEntry* Find(const std::string& key);
  std::string Resolve(std::string key);

  std::map<std::string, TFolder> FFolders; // by path without a trailing "\"
  std::mutex FOpenedLock;                  // files are opened on the search's workers
};
