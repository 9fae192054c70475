#pragma once
// A path given in the engine's form, with the native path that opens it.
#include "platform/FileSystem.h"

#include <string>

// On the in-memory file system, whose native paths are the engine's.
inline TFilePath MemoryPath(const std::string& path) {
  return {{path}, path};
}

// On this process's file system.
inline TFilePath PlatformPath(const std::string& path) {
  return {PlatformFileSystem().NativePath(path), path};
}
