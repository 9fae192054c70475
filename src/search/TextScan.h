#pragma once
// The walk's yes/no content decision, taken without splitting the file into lines. The text
// sought holds no line break, so it lies inside one line exactly when it occurs in the text
// before the first NUL byte; the file is read in blocks into one reusable buffer and the
// reading stops at the first match or the first NUL.
#include "platform/CodePage.h"
#include "search/AlignedBlock.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>

class TTextScan {
public:
  static constexpr std::size_t DefaultBlockSize = 256 * 1024;
  // The first read of a file is smaller: most files end, match or reach a NUL early (binary
  // files at once), and copying what is never looked at costs more than a second read.
  static constexpr std::size_t FirstRead = 16 * 1024;

  // Whether this processor has AVX2, for the wide filter.
  static bool WideSupported();

  // text is upper-cased once here through page, which must outlive the scan; wide, only on a
  // processor that supports it, takes 32 starts at a time instead of 16.
  TTextScan(std::string_view text, const TCodePage& page, std::size_t blockSize = DefaultBlockSize,
            bool wide = WideSupported());

  // False when the upper-cased text holds a line break: only a search line by line can then
  // decide, since a match must not span two lines.
  bool Applies() const { return FApplies; }

  // True when the text occurs, ignoring case, in what read yields before its first NUL.
  // read(buffer, size) fills at most size bytes and returns how many, 0 at the end; it is not
  // called again once a match or a NUL has been seen. Errors of read pass through.
  template <class TRead> bool Contains(TRead&& read);

  // The same decision over a text held in memory.
  bool ContainsIn(std::string_view text) const { return Find(text) != std::string::npos; }
  // Position of the first match in text before its first NUL, or npos.
  std::size_t Find(std::string_view text) const;

  // Two needle positions of rare bytes whose case variants are at most two bytes each:
  // candidates are where both hold one of their variants.
  struct TFilter {
    std::size_t First = 0, Second = 0;
    unsigned char FirstA = 0, FirstB = 0, SecondA = 0, SecondB = 0;
  };

private:
  enum TBlockOutcome { boFound, boEnded, boMore };

  TBlockOutcome ScanBlock(std::size_t count);
  std::size_t SearchBeforeNul(const unsigned char* data, std::size_t from, std::size_t length,
                              bool& nul) const;
  std::size_t Search(const unsigned char* text, std::size_t length) const;
  bool MatchesAt(const unsigned char* text) const;
  void ChooseFilter();

  std::string FNeedle; // upper-cased
  const unsigned char* FUpper;
  bool FApplies;
  bool FHasFilter = false;
  TFilter FFilter;
  bool FWide;
  // The bytes kept from the previous block (a match may straddle two) lie just before FHead,
  // where every block is read, on a ReadAlignment boundary.
  std::size_t FBlockSize;
  std::size_t FHead;
  std::size_t FKept = 0;
  TAlignedBlock FBuffer;
};

template <class TRead> bool TTextScan::Contains(TRead&& read) {
  if (FNeedle.empty()) return true;
  FKept = 0;
  for (std::size_t ask = std::min(FBlockSize, FirstRead);; ask = FBlockSize) {
    const std::size_t count = read(FBuffer.get() + FHead, ask);
    if (count == 0) return false;
    const TBlockOutcome outcome = ScanBlock(count);
    if (outcome != boMore) return outcome == boFound;
  }
}
