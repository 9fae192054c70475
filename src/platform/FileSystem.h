#pragma once
// What the search needs of the file system: folder listings and files opened for reading.
// Paths are in the engine's form (C:\Docs\a.txt), 8-bit text of the ANSI code page.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

// Attribute bits of a listing entry, as the platform reports them.
enum : uint32_t {
  faReadOnly = 0x01,
  faHidden = 0x02,
  faSysFile = 0x04,
  faVolumeID = 0x08,
  faDirectory = 0x10,
  faArchive = 0x20,
  faAnyFile = 0x3F,
  faSymLink = 0x400, // a link (junction or symbolic link) to another place
};

struct TSearchRec {
  std::string Name;  // long name, without folder
  uint32_t Attr = 0; // fa... bits
  uint64_t Size = 0; // whole size in bytes
  int32_t Time = 0;  // last-write time, local, packed MS-DOS date and time
};

// One disk file opened for reading, which other programs may go on reading, writing and
// deleting (a log being written, a document open in an editor); closed when released.
class TOpenFile {
public:
  virtual ~TOpenFile() = default;
  // Reads up to count bytes at the current position into buffer; the count read, fewer than
  // count only at the end (0 there), or -1 when the read fails.
  virtual int64_t Read(char* buffer, size_t count) = 0;
  // Goes back to the first byte, for a second reading; false when it cannot.
  virtual bool Rewind() = 0;
  // True when another program holds the file exclusively after all. A file opened by a
  // listing may leave this check until it is asked, since it matters only to a file about to
  // be found.
  virtual bool HeldElsewhere() { return false; }
};

// One open listing; closed when released, so every way out of a walk level closes it.
class TFolderListing {
public:
  virtual ~TFolderListing() = default;
  // Fills entry with the next entry in the platform's order; false when there is none. Name
  // and the directory and link bits are always filled; Size, Time and the other bits only
  // where the listing gives them at no cost, else by ReadDetails.
  virtual bool Next(TSearchRec& entry) = 0;
  // Completes an entry that Next gave, as long as the listing lives; false when it is gone
  // since it was listed.
  virtual bool ReadDetails(TSearchRec&) { return true; }
  // Opens the entry that Next gave last as OpenForReading would open its path; nullptr when
  // it cannot be opened or is no file.
  virtual std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec& entry) = 0;
  // Lists the folder entry that Next gave last, as FindFirst of its path joined with "*.*"
  // would; nullptr when it cannot be listed.
  virtual std::unique_ptr<TFolderListing> ListFolder(const TSearchRec& entry) = 0;
};

// Identifies a folder whatever path reaches it (through links, in any letter case).
struct TFolderId {
  uint64_t Volume = 0;
  uint64_t Index = 0;
  bool operator==(const TFolderId&) const = default;
};

class TFileSystem;

// A listing whose entries are opened and listed through their paths, by the file system that
// made it: folder is the listing pattern's folder part, with its backslash.
class TPathListing : public TFolderListing {
public:
  TPathListing(TFileSystem& fileSystem, std::string folder)
      : FFileSystem(fileSystem), FFolder(std::move(folder)) {}
  std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec& entry) override;
  std::unique_ptr<TFolderListing> ListFolder(const TSearchRec& entry) override;

private:
  TFileSystem& FFileSystem;
  std::string FFolder;
};

class TFileSystem {
public:
  virtual ~TFileSystem() = default;
  // Lists pattern (a folder joined with "*.*"), every attribute kind included; nullptr when
  // the folder cannot be listed.
  virtual std::unique_ptr<TFolderListing> FindFirst(const std::string& pattern) = 0;
  // nullptr when the file cannot be opened, is no disk file, or another program holds it
  // exclusively (it shares nothing with others).
  virtual std::unique_ptr<TOpenFile> OpenForReading(const std::string& path) = 0;
  // Nothing when the folder cannot be reached.
  virtual std::optional<TFolderId> FolderIdentity(const std::string& path) = 0;
};

// The file system of this process: Win32, or the host's POSIX one.
TFileSystem& PlatformFileSystem();
