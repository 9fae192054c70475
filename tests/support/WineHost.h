#pragma once
// What a Windows test under Wine cannot make through Win32: links to the host's devices (Wine's
// CreateSymbolicLink makes nothing) and network shares. Host programs run through Wine's own
// entry points; on Windows itself there are none, and these report failure.
#include <windows.h>

#include <string>
#include <vector>

// The host's path of a Windows path; empty when there is none.
inline std::string HostPath(const std::string& path) {
  using TUnixName = char*(CDECL*)(LPCWSTR);
  const auto unixName = reinterpret_cast<TUnixName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
  if (!unixName) return "";
  std::wstring wide(path.size() + 1, L'\0');
  MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
  char* name = unixName(wide.c_str());
  if (!name) return "";
  const std::string result = name;
  HeapFree(GetProcessHeap(), 0, name);
  return result;
}

// Runs a host program to its end; false when it fails or cannot be run.
inline bool RunOnHost(std::vector<std::string> args) {
  using TSpawn = LONG(CDECL*)(char* const argv[], int wait);
  const auto spawn = reinterpret_cast<TSpawn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "__wine_unix_spawnvp")));
  if (!spawn) return false;
  std::vector<char*> argv;
  for (std::string& arg : args)
    argv.push_back(arg.data());
  argv.push_back(nullptr);
  return spawn(argv.data(), TRUE) == 0; // reports the program's failure too
}

// A link at path (a Windows path) to the host's unixTarget, removed with the object: Wine
// cannot delete a link to a device.
class THostLink {
public:
  THostLink(const std::string& path, const std::string& unixTarget) : FLink(HostPath(path)) {
    FMade = !FLink.empty() && RunOnHost({"ln", "-s", unixTarget, FLink});
  }
  ~THostLink() {
    if (FMade) RunOnHost({"rm", FLink});
  }
  THostLink(const THostLink&) = delete;
  THostLink& operator=(const THostLink&) = delete;
  bool Made() const { return FMade; }

private:
  std::string FLink;
  bool FMade = false;
};
