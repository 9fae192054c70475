#pragma once
// Native names on Windows: the UTF-16 path that a TNativeName carries, and the name that the
// program shows for one.
#include "platform/FileSystem.h"

#include <string>
#include <string_view>

TNativeName NativeName(std::wstring_view path);
std::wstring WidePath(const TNativeName& name);

// The name in the ANSI code page with "?" for each character that it lacks, never a
// look-alike: a best-fit conversion would show Ωmega.txt as Omega.txt and a full-width "＼" as
// a folder separator.
std::string ShownName(std::wstring_view name);
