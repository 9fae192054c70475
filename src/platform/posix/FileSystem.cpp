// The host build's file system: engine paths are mapped the way Wine maps drive Z:, so the
// same folder reads the same in both builds.
#include "platform/DosTime.h"
#include "platform/FileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <ctime>

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

class TPosixListing : public TFolderListing {
public:
  TPosixListing(DIR* dir, std::string folder) : FDir(dir), FFolder(std::move(folder)) {}
  ~TPosixListing() override { closedir(FDir); }

  bool Next(TSearchRec& entry) override {
    while (dirent* found = readdir(FDir)) {
      const std::string path = FFolder + "/" + found->d_name;
      struct stat link {};
      if (lstat(path.c_str(), &link) != 0) continue; // gone since the folder was read
      struct stat target = link;
      if (S_ISLNK(link.st_mode) && stat(path.c_str(), &target) != 0) target = link;
      entry.Name = found->d_name;
      entry.Attr = S_ISDIR(target.st_mode) ? faDirectory : faArchive;
      if (S_ISLNK(link.st_mode)) entry.Attr |= faSymLink;
      if (!(target.st_mode & S_IWUSR)) entry.Attr |= faReadOnly;
      entry.Size = S_ISDIR(target.st_mode) ? 0 : static_cast<uint64_t>(target.st_size);
      entry.Time = PackedLocalTime(target.st_mtime);
      return true;
    }
    return false;
  }

private:
  DIR* FDir;
  std::string FFolder;
};

// The whole-file lock stands for Windows' share mode 0 between cooperating processes.
class TPosixFile : public TOpenFile {
public:
  TPosixFile(int fd, uint64_t size) : FFd(fd), FSize(size) {}
  ~TPosixFile() override { close(FFd); }
  uint64_t Size() const override { return FSize; }
  int64_t Read(char* buffer, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const ssize_t n = read(FFd, buffer + done, count - done);
      if (n < 0) return -1;
      if (n == 0) break;
      done += n;
    }
    return static_cast<int64_t>(done);
  }

private:
  int FFd;
  uint64_t FSize;
};

class TPosixFileSystem : public TFileSystem {
public:
  std::unique_ptr<TFolderListing> FindFirst(const std::string& pattern) override {
    // The walk asks for every entry: only the folder part of the pattern counts.
    const std::optional<std::string> path = PosixPath(pattern);
    if (!path) return nullptr;
    std::string folder = path->substr(0, path->rfind('/'));
    if (folder.empty()) folder = "/";
    DIR* dir = opendir(folder.c_str());
    if (!dir) return nullptr;
    return std::make_unique<TPosixListing>(dir, folder == "/" ? "" : folder);
  }

  std::unique_ptr<TOpenFile> OpenExclusive(const std::string& path) override {
    const std::optional<std::string> posix = PosixPath(path);
    if (!posix) return nullptr;
    const int fd = open(posix->c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) || flock(fd, LOCK_EX | LOCK_NB) != 0) {
      close(fd);
      return nullptr;
    }
    return std::make_unique<TPosixFile>(fd, static_cast<uint64_t>(info.st_size));
  }

  std::optional<TFolderId> FolderIdentity(const std::string& path) override {
    const std::optional<std::string> posix = PosixPath(path);
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
