#include "search/TextScan.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include <emmintrin.h>

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

// Width bytes in the compiler's portable vectors.
template <std::size_t Width> struct TVector {
  typedef unsigned char Bytes __attribute__((vector_size(Width)));
};
template <std::size_t Width> using TBytes = typename TVector<Width>::Bytes;

// One bit a byte, set where the byte is all ones, first byte lowest: SSE2's byte mask of each
// 16-byte half, which AVX2 code turns into one instruction a half.
template <std::size_t Width> [[gnu::always_inline]] inline uint32_t MaskOf(const TBytes<Width>& v) {
  uint32_t bits = 0;
  for (std::size_t half = 0; half < Width / 16; ++half) {
    __m128i part;
    __builtin_memcpy(&part, reinterpret_cast<const char*>(&v) + half * 16, 16);
    bits |= static_cast<uint32_t>(_mm_movemask_epi8(part)) << (half * 16);
  }
  return bits;
}

// Where, of the Width starts from text, both filter positions hold one of their variants.
template <std::size_t Width> struct TCandidates {
  explicit TCandidates(const TTextScan::TFilter& f)
      : Filter(f), FirstA(TBytes<Width>{} + f.FirstA), FirstB(TBytes<Width>{} + f.FirstB),
        SecondA(TBytes<Width>{} + f.SecondA), SecondB(TBytes<Width>{} + f.SecondB) {}
  // Through a reference: a vector of 32 bytes given back by value would need AVX's ABI.
  [[gnu::always_inline]] void At(const unsigned char* text, TBytes<Width>& hit) const {
    TBytes<Width> first, second;
    __builtin_memcpy(&first, text + Filter.First, Width);
    __builtin_memcpy(&second, text + Filter.Second, Width);
    hit = TBytes<Width>(((first == FirstA) | (first == FirstB)) &
                        ((second == SecondA) | (second == SecondB)));
  }
  const TTextScan::TFilter& Filter;
  const TBytes<Width> FirstA, FirstB, SecondA, SecondB;
};

// The first of the candidates hit, from start s, that verify says yes to, or npos.
template <std::size_t Width, class TVerify>
[[gnu::always_inline]] inline std::size_t FirstVerified(std::size_t s, const TBytes<Width>& hit,
                                                        const TVerify& verify) {
  for (uint32_t bits = MaskOf<Width>(hit); bits; bits &= bits - 1) {
    const std::size_t at = s + static_cast<std::size_t>(__builtin_ctz(bits));
    if (verify(at)) return at;
  }
  return std::string::npos;
}

// The candidate filter, Width starts at a time: each start where both filter positions hold
// one of their variants goes to verify, leftmost first, until it says yes. Returns that start,
// or npos with s at the first start not looked at. Written once over portable vectors, it is
// compiled for plain x86-64 and, inlined into FilterWide, again for AVX2.
template <std::size_t Width, class TVerify>
[[gnu::always_inline]] inline std::size_t Filter(const unsigned char* text, std::size_t starts,
                                                 std::size_t& s, const TTextScan::TFilter& f,
                                                 const TVerify& verify) {
  const TCandidates<Width> candidates(f);
  // The loads never pass the end of the text. Two vectors a turn, tested together: most turns
  // hold no candidate.
  TBytes<Width> low, high;
  for (; s + 2 * Width <= starts; s += 2 * Width) {
    candidates.At(text + s, low);
    candidates.At(text + s + Width, high);
    if (MaskOf<Width>(low | high) == 0) continue;
    if (const std::size_t at = FirstVerified<Width>(s, low, verify); at != std::string::npos)
      return at;
    if (const std::size_t at = FirstVerified<Width>(s + Width, high, verify);
        at != std::string::npos)
      return at;
  }
  for (; s + Width <= starts; s += Width) {
    candidates.At(text + s, low);
    if (const std::size_t at = FirstVerified<Width>(s, low, verify); at != std::string::npos)
      return at;
  }
  return std::string::npos;
}

template <class TVerify>
[[gnu::target("avx2")]] std::size_t FilterWide(const unsigned char* text, std::size_t starts,
                                               std::size_t& s, const TTextScan::TFilter& f,
                                               const TVerify& verify) {
  return Filter<32>(text, starts, s, f, verify);
}

} // namespace

bool TTextScan::WideSupported() {
  return __builtin_cpu_supports("avx2");
}

TTextScan::TTextScan(std::string_view text, const TCodePage& page, std::size_t blockSize, bool wide)
    : FNeedle(page.UpperCase(text)), FUpper(page.UpperTable()), FWide(wide), FBlockSize(blockSize) {
  FApplies = FNeedle.find(static_cast<char>(page.Upper('\r'))) == std::string::npos &&
             FNeedle.find(static_cast<char>(page.Upper('\n'))) == std::string::npos;
  FHead = AlignUp(FNeedle.empty() ? 0 : FNeedle.size() - 1);
  FBuffer = NewAlignedBlock(FHead + FBlockSize);
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
  FFilter = {static_cast<std::size_t>(best), static_cast<std::size_t>(second),
             bestVariants.Bytes[0],          bestVariants.Bytes[1],
             secondVariants.Bytes[0],        secondVariants.Bytes[1]};
}

std::size_t TTextScan::Find(std::string_view text) const {
  if (FNeedle.empty()) return 0;
  bool nul = false;
  return SearchBeforeNul(reinterpret_cast<const unsigned char*>(text.data()), 0, text.size(), nul);
}

TTextScan::TBlockOutcome TTextScan::ScanBlock(std::size_t count) {
  bool nul = false;
  unsigned char* const head = reinterpret_cast<unsigned char*>(FBuffer.get()) + FHead;
  const std::size_t length = FKept + count;
  if (SearchBeforeNul(head - FKept, FKept, length, nul) != std::string::npos) return boFound;
  if (nul) return boEnded;
  // A match may begin in the last needle-length-minus-one bytes and end in the next block.
  const std::size_t keep = std::min(length, FNeedle.size() - 1);
  std::memmove(head - keep, head + count - keep, keep);
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
  if (FHasFilter) {
    const auto verify = [&](std::size_t at) { return MatchesAt(text + at); };
    const std::size_t at = FWide ? FilterWide(text, starts, s, FFilter, verify)
                                 : Filter<16>(text, starts, s, FFilter, verify);
    if (at != std::string::npos) return at;
  }
  // Short texts, the tail, and needles without a usable filter.
  for (; s < starts; ++s)
    if (MatchesAt(text + s)) return s;
  return std::string::npos;
}
