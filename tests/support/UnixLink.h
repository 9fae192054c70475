#pragma once
// A link to a device of the host, named like an ordinary file, for the tests that a search or
// the viewer never waits on one. Wine's CreateSymbolicLink makes nothing, so the host's ln is
// run through Wine's own entry points; on Windows itself there are none.
#include <windows.h>

#include <string>

// True when path (a Windows path) is now a link to unixTarget.
inline bool MakeUnixLink(const std::string& path, const char* unixTarget) {
  using TUnixName = char*(CDECL*)(LPCWSTR);
  using TSpawn = LONG(CDECL*)(char* const argv[], int wait);
  const auto unixName = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  const auto spawn = reinterpret_cast<TSpawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "__wine_unix_spawnvp")));
  if (!unixName || !spawn) return false;
  std::wstring wide(path.size() + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* link = unixName(wide.c_str());
  if (!link) return false;
  std::string program = "ln", option = "-s", target = unixTarget;
  char* argv[] = {program.data(), option.data(), target.data(), link, nullptr};
  const bool made = spawn(argv, TRUE) == 0; // waits for ln, whose failure it reports
  HeapFree(GetProcessHeap(), 0, link);
  return made;
}
