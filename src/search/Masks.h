#pragma once
// The file-name mask language: "*", "?", sets "[...]" and "[!...]", a-z folded to A-Z.
#include <bitset>
#include <string>
#include <vector>

class TCodePage;

// One compiled mask, immutable once built; building it raises Exception for an invalid mask
// ("'%s' est un masque incorrect à (%d)").
class TMask {
public:
  explicit TMask(const std::string& mask);
  // Double-byte characters are those of page; the other constructor uses the current one.
  TMask(const std::string& mask, const TCodePage& page);
  bool MatchName(const std::string& name) const;
  // The element-by-element matcher that every shortcut of MatchName must agree with.
  bool MatchGeneral(const std::string& name) const;

private:
  enum TMaskElementKind { mkLiteral, mkAnyChar, mkSet, mkDoubleByte, mkEndOfName };
  struct TMaskElement {
    TMaskElementKind Kind;
    bool AfterStar = false;
    unsigned char Char = 0; // literal (upper-cased) or double-byte lead byte
    unsigned char Trail = 0;
    bool Negated = false;
    std::bitset<256> Members{}; // upper-cased
  };
  // Shapes common enough to deserve a shortcut: *, abc, abc*, *abc (*.txt), *abc* (*.*).
  enum TMaskShape { msGeneral, msAll, msLiteral, msPrefix, msSuffix, msContains };

  void Compile(const std::string& mask, const TCodePage& page);
  static TMaskElement ReadSet(const std::string& mask, size_t& pos, const TCodePage& page);
  void FindShape();
  bool LiteralAt(const std::string& name, size_t pos) const;
  static bool ElementMatches(const TMaskElement& element, const std::string& name, size_t pos);

  std::vector<TMaskElement> FElements;
  TMaskShape FShape = msGeneral;
  std::string FLiteral; // the literal characters of a shortcut shape, upper-cased
};

// Compiles mask, matches name, releases the mask; the invalid-mask error passes through.
bool NameMatchesMask(const std::string& name, const std::string& mask);
