#include "platform/FileSystem.h"
#include "base/UniqueHandle.h"
#include "platform/DosTime.h"
#include "platform/win32/NativeName.h"

#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>

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

// The form in which Windows hands a full path to the file system untouched: C:\src\aux.c
// names the AUX device, which a read waits on for good, and C:\src\sub. the folder sub, while
// \\?\C:\src\aux.c and \\?\C:\src\sub. name what the listing gave. It takes paths of any
// length.
std::wstring LiteralPath(std::wstring_view full) {
  if (full.starts_with(L"\\\\?\\") || full.starts_with(L"\\\\.\\")) return std::wstring(full);
  if (full.starts_with(L"\\\\")) return L"\\\\?\\UNC\\" + std::wstring(full.substr(2)); // a share
  return L"\\\\?\\" + std::wstring(full);
}

// Owned handles of this file: a listing's, and a file's or a folder's.
using TFindHandle = TUniqueHandle<HANDLE, FindClose, -1>;
using TFileHandle = TUniqueHandle<HANDLE, CloseHandle, -1>;

TFileHandle OpenShared(const std::wstring& literal, DWORD access, DWORD flags) {
  return TFileHandle(CreateFileW(literal.c_str(), access,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                 OPEN_EXISTING, flags, nullptr));
}

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

// A file that another program holds open while it lets others read and write it (a log being
// written, a document in an editor) is read all the same. Only disk files are read: a pipe or
// a device (reached through a link, say) could keep a read waiting for good.
std::unique_ptr<TOpenFile> OpenNative(const TNativeName& path) {
  TFileHandle file =
      OpenShared(LiteralPath(WidePath(path)), GENERIC_READ, FILE_FLAG_SEQUENTIAL_SCAN);
  if (!file || GetFileType(file.Get()) != FILE_TYPE_DISK) return nullptr;
  return std::make_unique<TWin32File>(std::move(file));
}

std::unique_ptr<TFolderListing> ListFullFolder(std::wstring folder);

// Entries are taken through the wide functions, so that each keeps its own name: the ANSI
// ones give a best-fit look-alike of a name that the code page cannot hold, and would open
// another file, or walk a folder named x＼..＼.. outside the chosen one. The folder's full
// form is made once; an entry's path is it and its name.
class TWin32Listing : public TFolderListing {
public:
  TWin32Listing(TFindHandle find, const WIN32_FIND_DATAW& first, std::wstring folder)
      : FFind(std::move(find)), FData(first), FFolder(std::move(folder)) {}

  bool Next(TSearchRec& entry) override {
    if (FStarted && !FindNextFileW(FFind.Get(), &FData)) return false;
    FStarted = true;
    entry.Name = ShownName(FData.cFileName);
    entry.Attr = FData.dwFileAttributes; // the fa... bits are Windows' own
    entry.Size = static_cast<uint64_t>(FData.nFileSizeHigh) << 32 | FData.nFileSizeLow;
    entry.Time = PackedLocalTime(FData.ftLastWriteTime);
    return true;
  }

  TNativeName NativePath(const TSearchRec&) override {
    return NativeName(FFolder + FData.cFileName);
  }

  std::unique_ptr<TOpenFile> OpenEntry(const TSearchRec&, const TNativeName& native) override {
    return OpenNative(native);
  }

  std::unique_ptr<TFolderListing> ListFolder(const TSearchRec&) override {
    return ListFullFolder(FFolder + FData.cFileName + L'\\');
  }

private:
  TFindHandle FFind;
  WIN32_FIND_DATAW FData; // the entry that Next gave last
  bool FStarted = false;
  std::wstring FFolder; // full, with its backslash
};

// folder: a full path with its backslash. The listing asks the file system for no short
// names, which nothing here shows, and for entries in large batches: fewer trips into the
// kernel a file.
std::unique_ptr<TFolderListing> ListFullFolder(std::wstring folder) {
  WIN32_FIND_DATAW data;
  TFindHandle find(FindFirstFileExW((LiteralPath(folder) + L'*').c_str(), FindExInfoBasic, &data,
                                    FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
  if (!find) return nullptr;
  return std::make_unique<TWin32Listing>(std::move(find), data, std::move(folder));
}

class TWin32FileSystem : public TFileSystem {
public:
  // The engine's paths are text of the ANSI code page, which converts to UTF-16 exactly.
  TNativeName NativePath(const std::string& path) override {
    std::wstring wide(path.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
      const DWORD length =
          GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
      if (length == 0) return NativeName(wide);
      const bool fits = length < full.size();
      full.resize(length);
      if (fits) return NativeName(full);
    }
  }

  std::unique_ptr<TFolderListing> ListFolder(const TNativeName& folder) override {
    std::wstring full = WidePath(folder);
    if (!full.ends_with(L'\\')) full += L'\\';
    return ListFullFolder(std::move(full));
  }

  std::unique_ptr<TOpenFile> OpenForReading(const TNativeName& path) override {
    return OpenNative(path);
  }

  std::optional<TFolderId> FolderIdentity(const TNativeName& folder) override {
    const TFileHandle handle =
        OpenShared(LiteralPath(WidePath(folder)), FILE_READ_ATTRIBUTES, FILE_FLAG_BACKUP_SEMANTICS);
    BY_HANDLE_FILE_INFORMATION info;
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info)) return std::nullopt;
    return TFolderId{info.dwVolumeSerialNumber,
                     static_cast<uint64_t>(info.nFileIndexHigh) << 32 | info.nFileIndexLow};
  }
};

} // namespace

TFileSystem& PlatformFileSystem() {
  static TWin32FileSystem fileSystem;
  return fileSystem;
}
