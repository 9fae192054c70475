#include "platform/FileSystem.h"
#include "base/UniqueHandle.h"
#include "platform/DosTime.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

namespace {

// The packed local time; a date the packed format cannot hold is clamped to its range.
int32_t PackedLocalTime(const FILETIME& utc) {
  FILETIME local;
  if (!FileTimeToLocalFileTime(&utc, &local)) local = utc;
  SYSTEMTIME fields;
  if (!FileTimeToSystemTime(&local, &fields)) // only past the year 30827
    return PackDosDateTime({30828, 1, 1, 0, 0, 0});
  WORD date = 0, time = 0;
  if (fields.wYear >= 1980 && fields.wYear <= 2107 && FileTimeToDosDateTime(&local, &date, &time))
    return static_cast<int32_t>(static_cast<uint32_t>(date) << 16 | time);
  return PackDosDateTime(
      {fields.wYear, fields.wMonth, fields.wDay, fields.wHour, fields.wMinute, fields.wSecond});
}

// The full form of a folder as Windows reads it (".", "..", "/" and a missing drive resolved),
// with its backslash; nothing when the system cannot make one within MAX_PATH, the most that
// the ANSI functions open.
std::optional<std::string> FullFolder(const std::string& folder) {
  char full[MAX_PATH];
  const DWORD length = GetFullPathNameA(folder.c_str(), MAX_PATH, full, nullptr);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  std::string result(full, length);
  if (result.back() != '\\') result += '\\';
  return result;
}

// The path in the form that Windows hands to the file system untouched: C:\src\aux.c names
// the AUX device, which a read waits on for good, while \\?\C:\src\aux.c names the file. The
// name, which comes from a listing, is kept exactly; the folder is made full first, since the
// form takes no relative part. Nothing when the folder has no full form that fits.
std::optional<std::string> LiteralPath(const std::string& path) {
  const size_t nameStart = path.find_last_of("\\/") + 1; // 0 when there is no folder part
  const std::optional<std::string> folder = FullFolder(nameStart ? path.substr(0, nameStart) : ".");
  if (!folder) return std::nullopt;
  const std::string name = path.substr(nameStart);
  if (folder->starts_with("\\\\?\\") || folder->starts_with("\\\\.\\")) return *folder + name;
  if (folder->starts_with("\\\\")) return "\\\\?\\UNC\\" + folder->substr(2) + name; // a share
  return "\\\\?\\" + *folder + name;
}

// Owned handles of this file: a listing's, and a file's or a folder's.
using TFindHandle = TUniqueHandle<HANDLE, FindClose, -1>;
using TFileHandle = TUniqueHandle<HANDLE, CloseHandle, -1>;

TFileHandle OpenShared(const std::string& path) {
  return TFileHandle(CreateFileA(path.c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

class TWin32Listing : public TPathListing {
public:
  TWin32Listing(TFindHandle find, const WIN32_FIND_DATAA& first, TFileSystem& fileSystem,
                std::string folder)
      : TPathListing(fileSystem, std::move(folder)), FFind(std::move(find)), FData(first) {}

  bool Next(TSearchRec& entry) override {
    if (FDone) return false;
    entry.Name = FData.cFileName;
    entry.Attr = FData.dwFileAttributes; // the fa... bits are Windows' own
    entry.Size = static_cast<uint64_t>(FData.nFileSizeHigh) << 32 | FData.nFileSizeLow;
    entry.Time = PackedLocalTime(FData.ftLastWriteTime);
    FDone = !FindNextFileA(FFind.Get(), &FData);
    return true;
  }

private:
  TFindHandle FFind;
  WIN32_FIND_DATAA FData;
  bool FDone = false;
};

class TWin32File : public TOpenFile {
public:
  explicit TWin32File(TFileHandle file) : FFile(std::move(file)) {}
  int64_t Read(char* buffer, size_t count) override {
    size_t done = 0;
    while (done < count) {
      const DWORD ask = static_cast<DWORD>(std::min<size_t>(count - done, 1u << 30));
      DWORD got = 0;
      if (!ReadFile(FFile.Get(), buffer + done, ask, &got, nullptr)) return -1;
      done += got;
      if (got < ask) break; // the end: no read is spent on learning it
    }
    return static_cast<int64_t>(done);
  }
  bool Rewind() override {
    return SetFilePointerEx(FFile.Get(), LARGE_INTEGER{}, nullptr, FILE_BEGIN);
  }

private:
  TFileHandle FFile;
};

class TWin32FileSystem : public TFileSystem {
public:
  std::unique_ptr<TFolderListing> FindFirst(const std::string& pattern) override {
    WIN32_FIND_DATAA data;
    TFindHandle find(FindFirstFileA(pattern.c_str(), &data));
    if (!find) return nullptr;
    return std::make_unique<TWin32Listing>(std::move(find), data, *this,
                                           pattern.substr(0, pattern.rfind('\\') + 1));
  }

  // A file that another program holds open while it lets others read and write it (a log
  // being written, a document in an editor) is read all the same. Only disk files are read: a
  // pipe or a device (reached through a link, say) could keep a read waiting for good.
  std::unique_ptr<TOpenFile> OpenForReading(const std::string& path) override {
    const std::optional<std::string> literal = LiteralPath(path);
    TFileHandle file = literal ? OpenShared(*literal) : TFileHandle();
    // The ANSI functions take no more than MAX_PATH characters, prefix included: a path that
    // fits only without the prefix is opened as it is, and the disk check then refuses
    // whatever device that may reach.
    if (!file && (!literal || GetLastError() == ERROR_FILENAME_EXCED_RANGE))
      file = OpenShared(path);
    if (!file || GetFileType(file.Get()) != FILE_TYPE_DISK) return nullptr;
    return std::make_unique<TWin32File>(std::move(file));
  }

  std::optional<TFolderId> FolderIdentity(const std::string& path) override {
    const TFileHandle folder(CreateFileA(
        path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!folder || !GetFileInformationByHandle(folder.Get(), &info)) return std::nullopt;
    return TFolderId{info.dwVolumeSerialNumber,
                     static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
  }
};

} // namespace

TFileSystem& PlatformFileSystem() {
  static TWin32FileSystem fileSystem;
  return fileSystem;
}
