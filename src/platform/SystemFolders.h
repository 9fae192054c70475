#pragma once
// The folders the program finds by asking the system, not the current directory.
#include <string>

// The folder of the running program's file, with its trailing separator.
std::string ProgramFolder();
// The system's Windows folder (GetWindowsDirectoryA); empty when the system gives none.
std::string WindowsFolder();
