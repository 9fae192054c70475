#pragma once
// The file-name mask language: "*", "?", sets "[...]" and "[!...]", a-z folded to A-Z.
#include <string>
#include <vector>

// One compiled mask, immutable once built; building it raises Exception for an invalid mask
// ("'%s' est un masque incorrect à (%d)").
class TMask {
public:
  explicit TMask(const std::string& mask);
  bool MatchName(const std::string& name) const;

private:
  struct TMaskElement;
  std::vector<TMaskElement> FElements;
};

// Compiles mask, matches name, releases the mask; the invalid-mask error passes through.
bool NameMatchesMask(const std::string& name, const std::string& mask);
