#pragma once
// Text between the wide functions and the program's ANSI code page, never through a best-fit
// look-alike: a best-fit conversion reads a Greek "α" as "a" and so searches for what nobody
// typed.
#include <string>
#include <string_view>

std::wstring WideOf(std::string_view text);
// The text in the ANSI code page, with "?" for each character that the code page lacks.
std::string AnsiOf(std::wstring_view wide);
// The 1-based position, in AnsiOf(wide), of the first character that the code page lacks; 0
// when it holds them all.
size_t FirstLackingPosition(std::wstring_view wide);
