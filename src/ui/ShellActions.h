#pragma once
// What the system's shell does with a found file: open it with the program that Windows
// associates with its kind, or open its folder in Explorer with the file selected. Both reach
// the file by its native path; shownPath only names it in a message.
#include <windows.h>

#include <string>

// Throws "Ne peut ouvrir le fichier %s : reason" when no program opens it (none is associated
// with its kind, it is gone ...), with the system's reason.
void OpenWithAssociatedProgram(HWND owner, const std::wstring& nativePath,
                               const std::string& shownPath);
// Throws the same message when the folder cannot be shown.
void ShowInExplorer(const std::wstring& nativePath, const std::string& shownPath);
