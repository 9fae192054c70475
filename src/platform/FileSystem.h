#pragma once
// What the search needs of the file system: folder listings and files opened for reading.
// Names shown and compared are 8-bit text of the ANSI code page; the file system reaches files
// through their native names, which the core carries and never reads.
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
  faDevice = 0x40,   // no disk file to read: a pipe, socket or device, or a link to one or nowhere
  faSymLink = 0x400, // a link (junction or symbolic link) to another place
};

// A full path as the operating system spells it (UTF-16 on Windows, the engine's form on the
// host). The name shown for it may stand for several files (a character that the code page
// lacks shows as "?"): only this one names the file, so files are opened through it alone.
struct TNativeName {
  std::string Bytes;
  bool operator==(const TNativeName&) const = default;
};

// A file's path twice: the native one, which opens it, and the one shown in messages.
struct TFilePath {
  TNativeName Native;
  std::string Shown;
};

struct TSearchRec {
  std::string Name;  // long name, without folder, as shown: "?" for what the code page lacks
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
  // Fills what a listing leaves to ReadDetails of the entry this file was opened for, from the
  // open file; false when the file leaves that to the listing (which then gives it at no cost).
  virtual bool ReadDetails(TSearchRec&) { return false; }
};

// One open listing; closed when released, so every way out of a walk level closes it. What
// follows Next works on the entry that Next gave last.
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
  // The entry's own full path: its folder's joined with its native name.
  virtual TNativeName NativePath(const TSearchRec& entry) = 0;
  // Opens an entry that Next gave, whose native path NativePath gave, as OpenForReading would
  // open that path; nullptr when it cannot be opened or is no file. On any thread, as long as
  // the listing lives: a file is opened where it is read.
  virtual std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec& entry,
                                               const TNativeName& native) = 0;
  // Lists the folder entry as ListFolder would list its native path; nullptr when it cannot be
  // listed.
  virtual std::unique_ptr<TFolderListing> ListFolder(const TSearchRec& entry) = 0;
};

// Identifies a folder whatever path reaches it (through links, in any letter case).
struct TFolderId {
  uint64_t Volume = 0;
  uint64_t Index = 0;
  bool operator==(const TFolderId&) const = default;
};

class TFileSystem {
public:
  virtual ~TFileSystem() = default;
  // The full native path of an engine path (C:\Docs, \\server\share\a.txt), as the system
  // reads it: a relative part is taken from the current folder.
  virtual TNativeName NativePath(const std::string& path) = 0;
  // Lists the folder, every attribute kind included; nullptr when it cannot be listed.
  virtual std::unique_ptr<TFolderListing> ListFolder(const TNativeName& folder) = 0;
  // nullptr when the file cannot be opened, is no disk file, or another program holds it
  // exclusively (it shares nothing with others).
  virtual std::unique_ptr<TOpenFile> OpenForReading(const TNativeName& path) = 0;
  // Nothing when the folder cannot be reached.
  virtual std::optional<TFolderId> FolderIdentity(const TNativeName& folder) = 0;
};

// The file system of this process: Win32, or the host's POSIX one.
TFileSystem& PlatformFileSystem();
