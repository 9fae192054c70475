#pragma once
// Whether a file's text contains the content text, ignoring case, one line at a time.
#include "platform/CodePage.h"

#include <string>
#include <string_view>
#include <vector>

// True when some line holds upperNeedle (already upper-cased) once the line is upper-cased.
bool LinesContainText(const std::vector<std::string>& lines, const std::string& upperNeedle,
                      const TCodePage& page);

// The plain rule over a file's bytes: an empty text is always found, otherwise the bytes are
// split as LoadLines splits them and each line is tested in turn. Faster ways must agree.
bool PlainContainsText(std::string_view bytes, const std::string& text, const TCodePage& page);
