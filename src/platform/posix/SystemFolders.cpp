#include "platform/SystemFolders.h"

#include <climits>
#include <unistd.h>

std::string ProgramFolder() {
  char path[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", path, sizeof path);
  if (length <= 0) return {};
  const std::string program(path, static_cast<size_t>(length));
  return program.substr(0, program.rfind('/') + 1);
}

// The host has no Windows folder; the root of the file system stands for it.
std::string WindowsFolder() {
  return "/";
}
