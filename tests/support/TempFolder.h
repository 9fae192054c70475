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

  static void Remove(const std::string& path) {
    const std::string literal = Literal(path);
    WIN32_FIND_DATAA entry;
    const HANDLE find = FindFirstFileA((literal + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName, child = path + "\\" + name;
        if (name == "." || name == "..") continue;
        SetFileAttributesA(Literal(child).c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          Remove(child);
        else
          DeleteFileA(Literal(child).c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    SetFileAttributesA(literal.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(literal.c_str());
  }

private:
  static std::string Literal(const std::string& path) { return "\\\\?\\" + path; }

  std::string FPath;
};
