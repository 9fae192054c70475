#include "platform/SystemFolders.h"

#include <windows.h>

std::string ProgramFolder() {
  // Grown until the whole path fits: a cut path would put the settings file elsewhere.
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      break;
    }
    path.resize(path.size() * 2);
  }
  return path.substr(0, path.find_last_of("\\:") + 1);
}

std::string WindowsFolder() {
  char folder[256];
  const UINT length = GetWindowsDirectoryA(folder, sizeof folder);
  return length < sizeof folder ? std::string(folder, length) : std::string();
}
