#include "search/TextScan.h"

#include <algorithm>
#include <array>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

// Rough commonness of bytes in text and source files, most common first; a byte not listed
// is rare. Only used to pick which needle bytes to look for first.
constexpr std::string_view CommonBytes =
    " e\nt\ra_oinsrlcdhupm.f,g\t(y)b;=-w/\"'vk*x0:1>2<{}[]#$3j4q59678z&|\\+!%@?~^`";

int Commonness(unsigned char c) {
  const std::size_t at = CommonBytes.find(static_cast<char>(c));
  return at == std::string_view::npos ? 0 : static_cast<int>(CommonBytes.size() - at);
}

// The bytes that upper-case to upper: at most the first two are kept, count says how many
// there are in all.
struct TVariants {
  std::array<unsigned char, 2> Bytes{};
  int Count = 0;
  int Commonness = 0;
};

TVariants VariantsOf(unsigned char upper, const unsigned char* table) {
  TVariants variants;
  for (int c = 0; c < 256; ++c) {
    if (table[c] != upper) continue;
    if (variants.Count < 2) variants.Bytes[variants.Count] = static_cast<unsigned char>(c);
    ++variants.Count;
    variants.Commonness = std::max(variants.Commonness, Commonness(static_cast<unsigned char>(c)));
  }
  if (variants.Count == 1) variants.Bytes[1] = variants.Bytes[0];
  return variants;
}

} // namespace

TTextScan::TTextScan(std::string_view text, const TCodePage& page, std::size_t blockSize)
    : FNeedle(page.UpperCase(text)), FUpper(page.UpperTable()), FBlockSize(blockSize) {
  FApplies = FNeedle.find(static_cast<char>(page.Upper('\r'))) == std::string::npos &&
             FNeedle.find(static_cast<char>(page.Upper('\n'))) == std::string::npos;
  const std::size_t carry = FNeedle.empty() ? 0 : FNeedle.size() - 1;
  FBuffer.resize(carry + FBlockSize);
  ChooseFilter();
}

void TTextScan::ChooseFilter() {
  // The two rarest positions whose bytes have at most two case variants; a needle of one
  // byte uses that position twice.
  int best = -1, second = -1;
  TVariants bestVariants, secondVariants;
  for (std::size_t j = 0; j < FNeedle.size(); ++j) {
    const TVariants v = VariantsOf(static_cast<unsigned char>(FNeedle[j]), FUpper);
    if (v.Count > 2) continue;
    if (best < 0 || v.Commonness < bestVariants.Commonness) {
      second = best, secondVariants = bestVariants;
      best = static_cast<int>(j), bestVariants = v;
    } else if (second < 0 || v.Commonness < secondVariants.Commonness) {
      second = static_cast<int>(j), secondVariants = v;
    }
  }
  if (best < 0) return;
  if (second < 0) second = best, secondVariants = bestVariants;
  if (second < best) std::swap(best, second), std::swap(bestVariants, secondVariants);
  FHasFilter = true;
  FFirst = static_cast<std::size_t>(best), FSecond = static_cast<std::size_t>(second);
  FFirstA = bestVariants.Bytes[0], FFirstB = bestVariants.Bytes[1];
  FSecondA = secondVariants.Bytes[0], FSecondB = secondVariants.Bytes[1];
}

std::size_t TTextScan::Find(std::string_view text) const {
  if (FNeedle.empty()) return 0;
  bool nul = false;
  return SearchBeforeNul(reinterpret_cast<const unsigned char*>(text.data()), 0, text.size(), nul);
}

TTextScan::TBlockOutcome TTextScan::ScanBlock(std::size_t count) {
  bool nul = false;
  const std::size_t length = FKept + count;
  if (SearchBeforeNul(FBuffer.data(), FKept, length, nul) != std::string::npos) return boFound;
  if (nul) return boEnded;
  // A match may begin in the last needle-length-minus-one bytes and end in the next block.
  const std::size_t keep = std::min(length, FNeedle.size() - 1);
  std::memmove(FBuffer.data(), FBuffer.data() + length - keep, keep);
  FKept = keep;
  return boMore;
}

// Leftmost match in data[0, length) before its first NUL; the bytes before from are known to
// hold none. Pieces that grow from 1 KiB to 16 KiB keep the NUL search just ahead of the match
// search, in the first-level cache, and never far past an early match.
std::size_t TTextScan::SearchBeforeNul(const unsigned char* data, std::size_t from,
                                       std::size_t length, bool& nul) const {
  const std::size_t overlap = FNeedle.size() - 1;
  for (std::size_t piece = std::min<std::size_t>(FBlockSize, 1024); from < length;
       from += piece, piece = std::min<std::size_t>({piece * 2, FBlockSize, 16384})) {
    std::size_t end = std::min(length, from + piece);
    const void* zero = std::memchr(data + from, 0, end - from);
    if (zero) end = static_cast<std::size_t>(static_cast<const unsigned char*>(zero) - data);
    // Every start whose match would end in this piece.
    const std::size_t start = from - std::min(from, overlap);
    const std::size_t at = Search(data + start, end - start);
    if (at != std::string::npos) return start + at;
    if (zero) {
      nul = true;
      break;
    }
  }
  return std::string::npos;
}

bool TTextScan::MatchesAt(const unsigned char* text) const {
  const unsigned char* needle = reinterpret_cast<const unsigned char*>(FNeedle.data());
  for (std::size_t j = 0; j < FNeedle.size(); ++j)
    if (FUpper[text[j]] != needle[j]) return false;
  return true;
}

// Position of the leftmost match in text[0, length), or npos.
std::size_t TTextScan::Search(const unsigned char* text, std::size_t length) const {
  const std::size_t size = FNeedle.size();
  if (length < size) return std::string::npos;
  const std::size_t starts = length - size + 1;
  std::size_t s = 0;
#if defined(__SSE2__)
  if (FHasFilter) {
    const auto splat = [](unsigned char c) { return _mm_set1_epi8(static_cast<char>(c)); };
    const __m128i firstA = splat(FFirstA), firstB = splat(FFirstB);
    const __m128i secondA = splat(FSecondA), secondB = splat(FSecondB);
    // Sixteen candidate starts at a time; the loads never pass the end of the text.
    for (; s + 16 <= starts; s += 16) {
      const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + s + FFirst));
      const __m128i second =
          _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + s + FSecond));
      const __m128i hit =
          _mm_and_si128(_mm_or_si128(_mm_cmpeq_epi8(first, firstA), _mm_cmpeq_epi8(first, firstB)),
                        _mm_or_si128(_mm_cmpeq_epi8(second, secondA),
                                     _mm_cmpeq_epi8(second, secondB)));
      for (unsigned bits = static_cast<unsigned>(_mm_movemask_epi8(hit)); bits; bits &= bits - 1) {
        const std::size_t at = s + static_cast<std::size_t>(__builtin_ctz(bits));
        if (MatchesAt(text + at)) return at;
      }
    }
  }
#endif
  // Short texts, the tail, and needles without a usable filter.
  for (; s < starts; ++s)
    if (MatchesAt(text + s)) return s;
  return std::string::npos;
}
