// The host build's file system: engine paths are mapped the way Wine maps drive Z:, so the
// same folder reads the same in both builds.
#include "platform/FileSystem.h"
#include "platform/DosTime.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <memory>

namespace {

// Z:\tmp\x -> /tmp/x; a path without a drive is taken from the root. Other drives do not exist.
std::optional<std::string> PosixPath(const std::string& path) {
  std::string result = path;
  if (result.size() >= 2 && result[1] == ':') {
    if (result[0] != 'Z' && result[0] != 'z') return std::nullopt;
    result.erase(0, 2);
  }
  for (char& c : result)
    if (c == '\\') c = '/';
  if (result.empty() || result[0] != '/') result.insert(0, "/");
  return result;
}

int32_t PackedLocalTime(time_t time) {
  tm local{};
  localtime_r(&time, &local);
  return PackDosDateTime({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday, local.tm_hour,
                          local.tm_min, local.tm_sec});
}

// What a listing entry lacks until ReadDetails.
void FillDetails(const struct stat& info, TSearchRec& entry) {
  if (!(info.st_mode & S_IWUSR)) entry.Attr |= faReadOnly;
  entry.Size = S_ISDIR(info.st_mode) ? 0 : static_cast<uint64_t>(info.st_size);
  entry.Time = PackedLocalTime(info.st_mtime);
}

// Whole-file locks stand for Windows' share modes between cooperating processes: an exclusive
// lock for a holder that shares nothing, a shared one for a reader that lets others read, write
// and delete, as this one does.
class TPosixFile : public TOpenFile {
public:
  // locked: the shared lock is already held; else HeldElsewhere takes it.
  TPosixFile(int fd, bool locked) : FFd(fd), FLocked(locked) {}
  ~TPosixFile() override { close(FFd); }
  // A regular file gives fewer bytes than asked only at its end: no read is spent on
  // learning that the end has come.
  int64_t Read(char* buffer, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const size_t ask = std::min<size_t>(count - done, 1 << 30); // below the kernel's cap
      const ssize_t n = read(FFd, buffer + done, ask);
      if (n < 0) return -1;
      done += static_cast<size_t>(n);
      if (static_cast<size_t>(n) < ask) break;
    }
    return static_cast<int64_t>(done);
  }
  bool Rewind() override { return lseek(FFd, 0, SEEK_SET) == 0; }
  bool HeldElsewhere() override {
    FLocked = FLocked || flock(FFd, LOCK_SH | LOCK_NB) == 0;
    return !FLocked;
  }
  // Through the open file, which spares the system the name (and the walk the call, where
  // a worker reads the file).
  bool ReadDetails(TSearchRec& entry) override {
    struct stat info {};
    if (fstat(FFd, &info) != 0) return false;
    FillDetails(info, entry);
    return true;
  }

private:
  int FFd;
  bool FLocked;
};

// Entries come from getdents64 with their kind, so that a listing costs no system call per
// entry: only links (and file systems that give no kind) are looked at, and size and time
// are read for the few entries that are found. Files are opened relative to the folder, by
// their names, which are their native ones.
// folder: the engine's path of the folder, with its backslash.
class TPosixListing : public TFolderListing {
public:
  TPosixListing(int fd, std::string folder)
      : FFd(fd), FFolder(std::move(folder)),
        FBuffer(std::make_unique_for_overwrite<char[]>(BufferSize)) {}
  ~TPosixListing() override { close(FFd); }

  bool Next(TSearchRec& entry) override {
    const dirent64* found = NextEntry();
    if (!found) return false;
    entry.Name = found->d_name;
    entry.Attr = faArchive;
    entry.Size = 0;
    entry.Time = 0;
    unsigned char kind = found->d_type;
    if (kind == DT_LNK || kind == DT_UNKNOWN) kind = LookAt(entry);
    if (kind == DT_DIR) entry.Attr = faDirectory | (entry.Attr & faSymLink);
    if (kind != DT_DIR && kind != DT_REG) entry.Attr |= faDevice;
    return true;
  }

  // A link that leads nowhere gives its own size and time.
  bool ReadDetails(TSearchRec& entry) override {
    struct stat info {};
    if (fstatat(FFd, entry.Name.c_str(), &info, 0) != 0 &&
        fstatat(FFd, entry.Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
      return false;
    FillDetails(info, entry);
    return true;
  }

  // Made for every file handed to the workers: one allocation.
  TNativeName NativePath(const TSearchRec& entry) override {
    TNativeName path;
    path.Bytes.reserve(FFolder.size() + entry.Name.size());
    path.Bytes.append(FFolder).append(entry.Name);
    return path;
  }

  // No blocking open: a FIFO put in a file's place since the listing gives no data.
  std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec& entry, const TNativeName&) override {
    if (entry.Attr & (faDevice | faDirectory)) return nullptr;
    const int fd = openat(FFd, entry.Name.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return nullptr;
    return std::make_unique<TPosixFile>(fd, false);
  }

  std::unique_ptr<TFolderListing> ListFolder(const TSearchRec& entry) override {
    const int fd = openat(FFd, entry.Name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<TPosixListing>(fd, FFolder + entry.Name + '\\');
  }

private:
  const dirent64* NextEntry() {
    if (FAt == FFilled) {
      const ssize_t filled = getdents64(FFd, FBuffer.get(), BufferSize);
      if (filled <= 0) return nullptr;
      FFilled = static_cast<size_t>(filled);
      FAt = 0;
    }
    const auto* found = reinterpret_cast<const dirent64*>(FBuffer.get() + FAt);
    FAt += found->d_reclen;
    return found;
  }

  // The kind of what a link leads to (the link's own when it leads nowhere); marks the link.
  unsigned char LookAt(TSearchRec& entry) {
    struct stat info {};
    if (fstatat(FFd, entry.Name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) return DT_UNKNOWN;
    if (S_ISLNK(info.st_mode)) {
      entry.Attr |= faSymLink;
      if (fstatat(FFd, entry.Name.c_str(), &info, 0) != 0) return DT_LNK;
    }
    return S_ISDIR(info.st_mode) ? DT_DIR : S_ISREG(info.st_mode) ? DT_REG : DT_UNKNOWN;
  }

  int FFd;
  std::string FFolder;
  static constexpr size_t BufferSize = 32768;
  std::unique_ptr<char[]> FBuffer; // raw entries from getdents64, left unset until read
  size_t FFilled = 0, FAt = 0;
};

class TPosixFileSystem : public TFileSystem {
public:
  // The engine's path is the native one: the host's names are bytes, shown as they are.
  TNativeName NativePath(const std::string& path) override { return {path}; }

  std::unique_ptr<TFolderListing> ListFolder(const TNativeName& folder) override {
    const std::optional<std::string> path = PosixPath(folder.Bytes);
    if (!path) return nullptr;
    const int fd = open(path->c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    std::string engine = folder.Bytes;
    if (!engine.ends_with('\\')) engine += '\\';
    return std::make_unique<TPosixListing>(fd, std::move(engine));
  }

  std::unique_ptr<TOpenFile> OpenForReading(const TNativeName& path) override {
    const std::optional<std::string> posix = PosixPath(path.Bytes);
    if (!posix) return nullptr;
    const int fd = open(posix->c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flock(fd, LOCK_SH | LOCK_NB) != 0) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<TPosixFile>(fd, true);
  }

  std::optional<TFolderId> FolderIdentity(const TNativeName& folder) override {
    const std::optional<std::string> posix = PosixPath(folder.Bytes);
    struct stat info {};
    if (!posix || stat(posix->c_str(), &info) != 0) return std::nullopt;
    return TFolderId{static_cast<uint64_t>(info.st_dev), static_cast<uint64_t>(info.st_ino)};
  }
};

} // namespace

TFileSystem& PlatformFileSystem() {
  static TPosixFileSystem fileSystem;
  return fileSystem;
}
