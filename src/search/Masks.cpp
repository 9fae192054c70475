#include "search/Masks.h"

#include "base/SysUtils.h"
#include "platform/CodePage.h"

namespace {

// At most this many elements of a mask may follow a star, the end of the name included.
constexpr int MaxAfterStar = 30;

// Masks fold a-z only, whatever the code page: é and É stay different.
unsigned char Fold(char c) {
  const auto b = static_cast<unsigned char>(c);
  return b >= 'a' && b <= 'z' ? static_cast<unsigned char>(b - 'a' + 'A') : b;
}

// position is 1-based. Built by concatenation, not Format, so that the whole mask shows even
// when it holds a NUL byte.
[[noreturn]] void RaiseInvalidMask(const std::string& mask, size_t position) {
  throw Exception("'" + mask + "' est un masque incorrect à (" + std::to_string(position) + ")");
}

} // namespace

TMask::TMask(const std::string& mask) : TMask(mask, TCodePage::Current()) {}

TMask::TMask(const std::string& mask, const TCodePage& page) {
  Compile(mask, page);
  FindShape();
}

void TMask::Compile(const std::string& mask, const TCodePage& page) {
  bool pendingStar = false;
  int afterStarCount = 0;
  size_t tooManyStarsAt = 0; // reported only once the text has been read without a set error
  auto add = [&](TMaskElement element, size_t lastPosition) {
    element.AfterStar = pendingStar;
    pendingStar = false;
    if (element.AfterStar && ++afterStarCount == MaxAfterStar + 1) tooManyStarsAt = lastPosition;
    FElements.push_back(element);
  };
  size_t i = 0;
  while (i < mask.size()) {
    const auto c = static_cast<unsigned char>(mask[i]);
    if (c == '*') {
      pendingStar = true;
      ++i;
    } else if (c == '?') {
      if (!pendingStar) add({.Kind = mkAnyChar}, i + 1);
      ++i;
    } else if (c == '[') {
      TMaskElement set = ReadSet(mask, i, page); // i moves past the "]", this element's end
      add(set, i);
    } else if (page.IsLeadByte(c) && i + 1 < mask.size()) {
      // A lead byte with nothing after it is taken as a plain literal below.
      add({.Kind = mkDoubleByte, .Char = c, .Trail = static_cast<unsigned char>(mask[i + 1])},
          i + 2);
      i += 2;
    } else {
      add({.Kind = mkLiteral, .Char = Fold(mask[i])}, i + 1);
      ++i;
    }
  }
  add({.Kind = mkEndOfName}, mask.size() + 1);
  if (tooManyStarsAt) RaiseInvalidMask(mask, tooManyStarsAt);
}

// pos is at the "["; on return it is just past the "]".
TMask::TMaskElement TMask::ReadSet(const std::string& mask, size_t& pos, const TCodePage& page) {
  TMaskElement set{.Kind = mkSet};
  const size_t n = mask.size();
  size_t j = pos + 1;
  if (j < n && mask[j] == '!') {
    set.Negated = true;
    ++j;
  }
  int last = -1; // the last member character, the start of a range
  for (;; ++j) {
    if (j >= n) RaiseInvalidMask(mask, n + 1);
    const char c = mask[j];
    if (c == ']') break;
    if (page.IsLeadByte(static_cast<unsigned char>(c))) {
      ++j; // double-byte characters cannot be members
    } else if (c == '-') {
      if (last < 0) RaiseInvalidMask(mask, j + 1);
      if (++j >= n) RaiseInvalidMask(mask, n + 1);
      for (int m = last; m <= Fold(mask[j]); ++m)
        set.Members.set(m);
    } else {
      last = Fold(c);
      set.Members.set(last);
    }
  }
  if (set.Members.none()) RaiseInvalidMask(mask, j + 1);
  pos = j + 1;
  return set;
}

bool TMask::ElementMatches(const TMaskElement& element, const std::string& name, size_t pos) {
  if (pos >= name.size()) return element.Kind == mkEndOfName;
  switch (element.Kind) {
  case mkLiteral: return Fold(name[pos]) == element.Char;
  case mkAnyChar: return true;
  case mkSet: return element.Members[Fold(name[pos])] != element.Negated;
  case mkDoubleByte:
    return pos + 1 < name.size() && static_cast<unsigned char>(name[pos]) == element.Char &&
           static_cast<unsigned char>(name[pos + 1]) == element.Trail;
  case mkEndOfName: break;
  }
  return false;
}

// A shortcut shape is a run of literals with a star at most before its first character and
// after its last.
void TMask::FindShape() {
  const size_t last = FElements.size() - 1; // the end of the name
  for (size_t i = 0; i < last; ++i) {
    const TMaskElement& e = FElements[i];
    if (e.Kind != mkLiteral || (e.AfterStar && i > 0)) {
      FLiteral.clear();
      return;
    }
    FLiteral += static_cast<char>(e.Char);
  }
  const bool leadingStar = last > 0 && FElements[0].AfterStar;
  const bool trailingStar = FElements[last].AfterStar;
  if (leadingStar)
    FShape = trailingStar ? msContains : msSuffix;
  else if (trailingStar)
    FShape = last == 0 ? msAll : msPrefix;
  else
    FShape = msLiteral;
}

bool TMask::LiteralAt(const std::string& name, size_t pos) const {
  for (size_t i = 0; i < FLiteral.size(); ++i)
    if (Fold(name[pos + i]) != static_cast<unsigned char>(FLiteral[i])) return false;
  return true;
}

bool TMask::MatchName(const std::string& name) const {
  const size_t n = name.size();
  const size_t k = FLiteral.size();
  switch (FShape) {
  case msAll: return true;
  case msLiteral: return n == k && LiteralAt(name, 0);
  case msPrefix: return n >= k && LiteralAt(name, 0);
  case msSuffix: return n >= k && LiteralAt(name, n - k);
  case msContains:
    for (size_t pos = 0; pos + k <= n; ++pos)
      if (LiteralAt(name, pos)) return true;
    return false;
  case msGeneral: break;
  }
  return MatchGeneral(name);
}

// Backtracking keeps only the saved position of the last star passed: once a later star has
// been reached, retrying an earlier one could only bring the rest of the mask to that star
// further on, where it finds nothing it has not tried. Keeping every saved position gives the
// same answers but takes exponential time on masks such as *a*a*a*a*a*b against aaaa...a.
bool TMask::MatchGeneral(const std::string& name) const {
  size_t element = 0;
  size_t pos = 0;
  bool saved = false;
  size_t savedElement = 0;
  size_t savedPos = 0;
  for (;;) {
    const TMaskElement& e = FElements[element];
    if (e.AfterStar) {
      while (pos < name.size() && !ElementMatches(e, name, pos))
        ++pos;
      saved = pos < name.size();
      savedElement = element;
      savedPos = pos + 1;
    }
    if (ElementMatches(e, name, pos)) {
      if (e.Kind == mkEndOfName) return true;
      pos += e.Kind == mkDoubleByte ? 2 : 1;
      ++element;
    } else if (saved) {
      saved = false;
      element = savedElement;
      pos = savedPos;
    } else {
      return false;
    }
  }
}

bool NameMatchesMask(const std::string& name, const std::string& mask) {
  return TMask(mask).MatchName(name);
}
