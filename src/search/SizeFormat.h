#pragma once
// The "Taille" text of a found file.
#include <cstdint>
#include <functional>
#include <string>

// The size in decimal digits ("1536") where fits says they fit, and otherwise in the largest
// French unit it reaches (Ko, Mo, Go, To, Po, Eo, each 1,024 of the one before) with one
// decimal, rounded: "37,3 Go". A text cut at its left would show a wrong number.
std::string SizeText(int64_t size, const std::function<bool(const std::string&)>& fits);
