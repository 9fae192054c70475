#pragma once
// A fresh folder under the system's temporary folder, removed with everything in it.
#include <windows.h>

#include <string>

class TTempFolder {
public:
  TTempFolder() {
    char temp[MAX_PATH + 1];
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    FPath = std::string(temp) + "scrivane-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++counter);
    CreateDirectoryA(FPath.c_str(), nullptr);
  }
  ~TTempFolder() { Remove(FPath); }

  const std::string& Path() const { return FPath; }
  std::string operator/(const std::string& name) const { return FPath + "\\" + name; }
  std::string Folder(const std::string& name, DWORD attributes = 0) const {
    const std::string path = *this / name;
    CreateDirectoryA(path.c_str(), nullptr);
    if (attributes) SetFileAttributesA(path.c_str(), attributes);
    return path;
  }
  void File(const std::string& name) const {
    CloseHandle(CreateFileA((*this / name).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  static void Remove(const std::string& path) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = entry.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = path + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) Remove(child);
        else DeleteFileA(child.c_str());
      } while (FindNextFileA(find, &entry));
      FindClose(find);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
  }

private:
  std::string FPath;
};
