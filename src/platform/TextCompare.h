#pragma once
// Text equality in the user's locale ignoring letter case (CompareStringA with
// NORM_IGNORECASE for LOCALE_USER_DEFAULT); the host build folds Windows-1252 letters.
#include <string_view>

bool AnsiSameText(std::string_view a, std::string_view b);
