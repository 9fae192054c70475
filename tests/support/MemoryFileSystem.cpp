#include "support/MemoryFileSystem.h"

#include "platform/DosTime.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

const int32_t TMemoryFileSystem::DefaultTime = PackDosDateTime({2005, 12, 25, 14, 3, 8});

namespace {

std::string KeyOf(std::string path) {
  if (!path.empty() && path.back() == '\\') path.pop_back();
  return path;
}

std::string ParentOf(const std::string& key) {
  const size_t slash = key.rfind('\\');
  return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

std::string NameOf(const std::string& key) {
  return key.substr(key.rfind('\\') + 1);
}

// Entries are opened and listed through their paths. folder: the listed one, with its
// backslash.
class TMemoryListing : public TFolderListing {
public:
  TMemoryListing(std::vector<TMemoryFileSystem::TEntry> entries, TMemoryFileSystem& fileSystem,
                 std::string folder)
      : FEntries(std::move(entries)), FFileSystem(fileSystem), FFolder(std::move(folder)) {
    ++FFileSystem.OpenListings;
  }
  ~TMemoryListing() override { --FFileSystem.OpenListings; }
  bool Next(TSearchRec& entry) override {
    if (FNext == FEntries.size()) return false;
    const TMemoryFileSystem::TEntry& found = FEntries[FNext++];
    entry = {found.Shown.empty() ? found.Name : found.Shown, found.Attr, found.Size, found.Time};
    FName = found.Name;
    return true;
  }
  TNativeName NativePath(const TSearchRec&) override { return {FFolder + FName}; }
  std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec&, const TNativeName& native) override {
    return FFileSystem.OpenForReading(native);
  }
  std::unique_ptr<TFolderListing> ListFolder(const TSearchRec& entry) override {
    return FFileSystem.ListFolder(NativePath(entry));
  }

private:
  std::vector<TMemoryFileSystem::TEntry> FEntries;
  size_t FNext = 0;
  std::string FName;              // the native name of the entry that Next gave last
  TMemoryFileSystem& FFileSystem; // counts the open listings
  std::string FFolder;
};

class TMemoryFile : public TOpenFile {
public:
  TMemoryFile(const TMemoryFileSystem::TEntry& entry, TMemoryFileSystem& fileSystem)
      : FContent(entry.Content), FReadFails(entry.ReadFails), FSize(entry.Size), FTime(entry.Time),
        FFileSystem(fileSystem) {
    ++FFileSystem.OpenFiles;
  }
  ~TMemoryFile() override { --FFileSystem.OpenFiles; }
  int64_t Read(char* buffer, size_t count) override {
    if (FReadFails) return -1;
    const size_t n = std::min(count, FContent.size() - FPos);
    std::memcpy(buffer, FContent.data() + FPos, n);
    FPos += n;
    FFileSystem.BytesRead += n;
    FFileSystem.MisalignedReads += reinterpret_cast<uintptr_t>(buffer) % 64 != 0;
    return static_cast<int64_t>(n);
  }

  bool Rewind() override {
    FPos = 0;
    return true;
  }
  // As the host's files do, which the walk's workers complete their entries from.
  bool ReadDetails(TSearchRec& entry) override {
    entry.Size = FSize;
    entry.Time = FTime;
    return true;
  }

private:
  std::string FContent;
  bool FReadFails;
  uint64_t FSize;
  int32_t FTime;
  size_t FPos = 0;
  TMemoryFileSystem& FFileSystem; // counts the open files and the bytes read
};

} // namespace

TMemoryFileSystem::TFolder& TMemoryFileSystem::Folder(const std::string& key) {
  auto found = FFolders.find(key);
  if (found != FFolders.end()) return found->second;
  // A drive root ("C:") or the root of the current drive ("") has no entry of its own.
  if (key.find('\\') != std::string::npos) {
    TEntry entry;
    entry.Attr = faDirectory;
    entry.Time = DefaultTime;
    Add(key, entry);
  }
  return FFolders.try_emplace(key, TFolder{FFolders.size() + 1, {}}).first->second;
}

TMemoryFileSystem::TEntry& TMemoryFileSystem::Add(const std::string& key, TEntry entry) {
  entry.Name = NameOf(key);
  std::vector<TEntry>& entries = Folder(ParentOf(key)).Entries;
  entries.push_back(std::move(entry));
  return entries.back();
}

TMemoryFileSystem::TEntry& TMemoryFileSystem::AddFile(const std::string& path,
                                                      const std::string& content, uint32_t attr) {
  TEntry entry;
  entry.Attr = attr;
  entry.Size = content.size();
  entry.Time = DefaultTime;
  entry.Content = content;
  return Add(KeyOf(path), entry);
}

TMemoryFileSystem::TEntry* TMemoryFileSystem::AddFolder(const std::string& path, uint32_t attr) {
  const std::string key = KeyOf(path);
  Folder(key);
  TEntry* entry = Find(key);
  if (entry) entry->Attr = attr | faDirectory;
  return entry;
}

TMemoryFileSystem::TEntry& TMemoryFileSystem::AddLink(const std::string& path,
                                                      const std::string& target) {
  TEntry entry;
  entry.Attr = faDirectory | faSymLink;
  entry.Time = DefaultTime;
  entry.Target = KeyOf(target);
  return Add(KeyOf(path), entry);
}

TMemoryFileSystem::TEntry& TMemoryFileSystem::Entry(const std::string& path) {
  return *Find(KeyOf(path));
}

TMemoryFileSystem::TEntry* TMemoryFileSystem::Find(const std::string& key) {
  auto folder = FFolders.find(ParentOf(key));
  if (folder == FFolders.end()) return nullptr;
  const std::string name = NameOf(key);
  for (TEntry& entry : folder->second.Entries)
    if (entry.Name == name) return &entry;
  return nullptr;
}

// Replaces the first link along the path by its target until none is left; the bound stops
// a double whose links lead round in a circle.
std::string TMemoryFileSystem::Resolve(std::string key) {
  for (int hop = 0; hop < 64; ++hop) {
    bool replaced = false;
    for (size_t stop = key.find('\\');; stop = key.find('\\', stop + 1)) {
      const std::string prefix = key.substr(0, stop);
      const TEntry* entry = Find(prefix);
      if (entry && !entry->Target.empty()) {
        key = entry->Target + key.substr(prefix.size());
        replaced = true;
        break;
      }
      if (stop == std::string::npos) break;
    }
    if (!replaced) break;
  }
  return key;
}

std::unique_ptr<TFolderListing> TMemoryFileSystem::ListFolder(const TNativeName& folder) {
  const std::string key = KeyOf(folder.Bytes);
  Listed.push_back(key);
  auto found = FFolders.find(Resolve(key));
  if (found == FFolders.end()) return nullptr;
  return std::make_unique<TMemoryListing>(found->second.Entries, *this, key + '\\');
}

std::unique_ptr<TOpenFile> TMemoryFileSystem::OpenForReading(const TNativeName& path) {
  {
    const std::lock_guard lock(FOpenedLock);
    Opened.push_back(path.Bytes);
  }
  const TEntry* entry = Find(Resolve(path.Bytes));
  if (!entry || (entry->Attr & faDirectory) || entry->Locked) return nullptr;
  return std::make_unique<TMemoryFile>(*entry, *this);
}

std::optional<TFolderId> TMemoryFileSystem::FolderIdentity(const TNativeName& path) {
  auto folder = FFolders.find(Resolve(KeyOf(path.Bytes)));
  if (folder == FFolders.end()) return std::nullopt;
  return TFolderId{0, folder->second.Id};
}
