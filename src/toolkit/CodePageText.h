#pragma once
// Text between the program's 8-bit strings (the ANSI code page) and the system's UTF-16 ones.
#include <string>
#include <string_view>

// Exact: every character of the code page has its UTF-16 one.
std::wstring WideOf(std::string_view text);
// "?" for each character that the code page lacks, never a look-alike: a best-fit conversion
// shows Ωmega as Omega and turns a full-width "＼" into a folder separator.
std::string AnsiOf(std::wstring_view text);
// The 1-based position, in AnsiOf(text), of the first character that the code page lacks; 0
// when it holds them all.
size_t FirstLackingPosition(std::wstring_view text);
