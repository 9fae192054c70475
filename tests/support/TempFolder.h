#pragma once
// A fresh folder under the system's temporary folder for one test, removed with everything in
// it, read-only and hidden entries included. Files are written and removed through the form of
// their paths that Windows takes literally, so that aux.txt is a file, not the AUX device.
#include <windows.h>
#include <winioctl.h>

#include <fstream>
#include <string>

class TTempFolder {
public:
  TTempFolder() {
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    // Wine reuses process ids from run to run: a folder that an earlier run could not remove
    // (a link to a device) must not be taken for this test's own.
    static int counter = 0;
    do {
      FPath = std::string(temp) + "scrivane-" + std::to_string(GetCurrentProcessId()) + "-" +
              std::to_string(++counter);
    } while (!CreateDirectoryA(FPath.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
  }
  ~TTempFolder() { Remove(FPath); }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& relative) const { return FPath + "\\" + relative; }

  // Makes the folder and those above it as needed; its full path.
  std::string Folder(const std::string& relative, DWORD attributes = 0) const {
    for (size_t slash = relative.find('\\'); slash != std::string::npos;
         slash = relative.find('\\', slash + 1))
      CreateDirectoryA((*this / relative.substr(0, slash)).c_str(), nullptr);
    const std::string path = *this / relative;
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }

  // Writes a file, making its folders as needed; its full path.
  std::string Write(const std::string& relative, const std::string& contents = "") const {
    const size_t slash = relative.rfind('\\');
    if (slash != std::string::npos) Folder(relative.substr(0, slash));
    const std::string path = *this / relative;
    std::ofstream(Literal(path), std::ios::binary) << contents;
    return path;
  }

  // The same by a wide relative path, for names that the code page lacks (日本, x＼..); their
  // full native paths.
  std::wstring Folder(const std::wstring& relative) const {
    for (size_t slash = relative.find(L'\\'); slash != std::wstring::npos;
         slash = relative.find(L'\\', slash + 1))
      CreateDirectoryW(Literal(Wide(FPath) + L"\\" + relative.substr(0, slash)).c_str(), nullptr);
    const std::wstring path = Wide(FPath) + L"\\" + relative;
    CreateDirectoryW(Literal(path).c_str(), nullptr);
    return path;
  }

  std::wstring Write(const std::wstring& relative, const std::string& contents) const {
    const size_t slash = relative.rfind(L'\\');
    if (slash != std::wstring::npos) Folder(relative.substr(0, slash));
    const std::wstring path = Wide(FPath) + L"\\" + relative;
    const HANDLE file =
        CreateFileW(Literal(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
    CloseHandle(file);
    return path;
  }

  // A file of size NUL bytes that takes next to no room on the disk; its full path.
  std::string Sparse(const std::string& relative, int64_t size) const {
    const std::string path = Write(relative);
    const HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER end;
    end.QuadPart = size;
    SetFilePointerEx(file, end, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    CloseHandle(file);
    return path;
  }

  // Through the wide functions, which give each entry its own name: an ANSI listing gives a
  // look-alike of a name that the code page lacks (x＼..＼.. for a full-width one), which could
  // reach outside the folder.
  static void Remove(const std::string& path) { RemoveWide(Literal(Wide(path))); }

  static std::wstring Wide(const std::string& path) {
    std::wstring wide(path.size(), L'\0');
    wide.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                    wide.data(), static_cast<int>(wide.size())));
    return wide;
  }

private:
  static std::string Literal(const std::string& path) { return "\\\\?\\" + path; }
  static std::wstring Literal(const std::wstring& path) { return L"\\\\?\\" + path; }

  static void RemoveWide(const std::wstring& literal) {
    WIN32_FIND_DATAW entry;
    const HANDLE find = FindFirstFileW((literal + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = entry.cFileName, child = literal + L"\\" + name;
        if (name == L"." || name == L"..") continue;
        SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        const DWORD kind = entry.dwFileAttributes;
        if ((kind & FILE_ATTRIBUTE_DIRECTORY) && !(kind & FILE_ATTRIBUTE_REPARSE_POINT))
          RemoveWide(child);
        else if (kind & FILE_ATTRIBUTE_DIRECTORY) // a link: its target is left alone
          RemoveDirectoryW(child.c_str());
        else
          DeleteFileW(child.c_str());
      } while (FindNextFileW(find, &entry));
      FindClose(find);
    }
    SetFileAttributesW(literal.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryW(literal.c_str());
  }

  std::string FPath;
};
