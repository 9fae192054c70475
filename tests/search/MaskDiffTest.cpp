// Random masks and names from small alphabets that hit stars, dots, sets and letter case.
#include "search/Masks.h"

#include "base/SysUtils.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <string_view>

namespace {

constexpr unsigned Seed = 20261208;
constexpr int Cases = 100000;

class TRandomText {
public:
  explicit TRandomText(unsigned seed) : FEngine(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(FEngine); }
  char From(std::string_view alphabet) { return alphabet[Below(int(alphabet.size()))]; }
  std::string Run(std::string_view alphabet, int maxLength) {
    std::string text(Below(maxLength + 1), ' ');
    for (char& c : text)
      c = From(alphabet);
    return text;
  }
  std::string Name() { return Run("aAbB.x]-", 8); }
  // Half are the shapes with shortcuts (literals between an optional leading and trailing
  // star), half anything, sets and "?" included.
  std::string Mask() {
    if (Below(2)) return (Below(2) ? "*" : "") + Run("aAbB.x", 4) + (Below(2) ? "*" : "");
    std::string mask;
    for (int n = Below(7); n > 0; --n)
      mask += Below(4) ? std::string(1, From("*?aAbB.x")) : Set();
    return mask;
  }
  std::string Set() {
    std::string set = Below(3) ? "[" : "[!";
    for (int n = 1 + Below(2); n > 0; --n)
      set += Below(3) ? std::string(1, From("aBx.")) : std::string{From("aB"), '-', From("bX")};
    return set + "]";
  }

private:
  std::mt19937 FEngine;
};

unsigned char Fold(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - 32) : static_cast<unsigned char>(c);
}

// A plain recursive matcher of the masks that TRandomText makes: it tries every length for
// every star.
bool SetHolds(std::string_view set, char c) {
  const bool negated = set[0] == '!';
  bool member = false;
  for (size_t i = negated ? 1 : 0; i < set.size(); ++i) {
    if (i + 2 < set.size() && set[i + 1] == '-') {
      member |= Fold(set[i]) <= Fold(c) && Fold(c) <= Fold(set[i + 2]);
      i += 2;
    } else {
      member |= Fold(set[i]) == Fold(c);
    }
  }
  return member != negated;
}

bool PlainMatch(std::string_view mask, std::string_view name, bool afterStar = false) {
  if (mask.empty()) return afterStar || name.empty();
  if (mask[0] == '*') return PlainMatch(mask.substr(1), name, true);
  if (mask[0] == '?' && afterStar) return PlainMatch(mask.substr(1), name, true);
  if (afterStar)
    for (size_t skip = 1; skip <= name.size(); ++skip)
      if (PlainMatch(mask, name.substr(skip))) return true;
  if (name.empty()) return false;
  size_t width = 1;
  bool holds = mask[0] == '?' || Fold(mask[0]) == Fold(name[0]);
  if (mask[0] == '[') {
    width = mask.find(']') + 1;
    holds = SetHolds(mask.substr(1, width - 2), name[0]);
  }
  return holds && PlainMatch(mask.substr(width), name.substr(1));
}

} // namespace

TEST(MaskDifferentialTest, ShortcutsAgreeWithTheGeneralMatcher) {
  std::cout << "seed " << Seed << "\n";
  TRandomText random(Seed);
  for (int i = 0; i < Cases; ++i) {
    const std::string mask = random.Mask();
    const std::string name = random.Name();
    const TMask compiled(mask);
    ASSERT_EQ(compiled.MatchName(name), compiled.MatchGeneral(name))
        << "case " << i << ", mask '" << mask << "', name '" << name << "'";
  }
}

TEST(MaskDifferentialTest, GeneralMatcherTriesEveryLengthOfEveryStar) {
  std::cout << "seed " << Seed + 1 << "\n";
  TRandomText random(Seed + 1);
  for (int i = 0; i < Cases; ++i) {
    const std::string mask = random.Mask();
    const std::string name = random.Name();
    ASSERT_EQ(TMask(mask).MatchGeneral(name), PlainMatch(mask, name))
        << "case " << i << ", mask '" << mask << "', name '" << name << "'";
  }
}
