#include "search/LineBuffer.h"

#include "base/SysUtils.h"
#include "search/AlignedBlock.h"

#include <emmintrin.h>

namespace {
// Large enough that a read costs little against splitting what it brings, small enough that a
// text ending early (a NUL in a binary file) is not read far beyond.
constexpr size_t BlockSize = 256 * 1024;

// The first CR or LF of piece at or after from, or its size: sixteen bytes at a time, since a
// byte at a time is most of what splitting a large file costs.
size_t NextBreak(std::string_view piece, size_t from) {
  const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n');
  for (; from + 16 <= piece.size(); from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(piece.data() + from));
    const int breaks =
        _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf)));
    if (breaks) return from + static_cast<size_t>(__builtin_ctz(breaks));
  }
  while (from < piece.size() && piece[from] != '\r' && piece[from] != '\n')
    ++from;
  return from;
}
} // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  TLineSplitter splitter(lines);
  splitter.Add(bytes.substr(0, bytes.find('\0')));
  splitter.Finish();
  return lines;
}

void TLineSplitter::Add(std::string_view piece) {
  size_t pos = 0;
  if (FAfterCR && !piece.empty()) {
    if (piece[0] == '\n') pos = 1;
    FAfterCR = false;
  }
  while (pos < piece.size()) {
    const size_t stop = NextBreak(piece, pos);
    if (stop == piece.size()) {
      FLine.append(piece.substr(pos));
      return;
    }
    if (FLine.empty()) {
      FOnLine(piece.substr(pos, stop - pos));
    } else {
      FLine.append(piece.substr(pos, stop - pos));
      FOnLine(FLine);
      FLine.clear();
    }
    pos = stop + 1;
    if (piece[stop] == '\r') {
      if (pos == piece.size())
        FAfterCR = true;
      else if (piece[pos] == '\n')
        ++pos;
    }
  }
}

void TLineSplitter::Finish() {
  if (!FLine.empty()) FOnLine(FLine);
  FLine.clear();
  FAfterCR = false;
}

TLineBuffer::TLineBuffer(TFileSystem& fileSystem) : FFileSystem(fileSystem) {}

namespace {
Exception CannotOpen(const std::string& shownPath) {
  return Exception(Format("Ne peut ouvrir le fichier %s", shownPath.c_str()));
}
} // namespace

std::unique_ptr<TOpenFile> TLineBuffer::Open(const TNativeName& path,
                                             const std::string& shownPath) const {
  std::unique_ptr<TOpenFile> file = FFileSystem.OpenForReading(path);
  if (!file) throw CannotOpen(shownPath);
  return file;
}

bool TLineBuffer::LoadLines(const TNativeName& path, const std::string& shownPath,
                            uint64_t maxBytes) {
  const std::unique_ptr<TOpenFile> file = Open(path, shownPath);
  FLines.clear(); // before the read, so that the old lines and the new file are not held at once
  TReadOutcome outcome;
  try {
    TLineSplitter splitter(FLines);
    outcome = ReadLines(*file, maxBytes, splitter, [] { return true; });
  } catch (...) { // out of memory: what was read is given back at once
    FLines = {};
    throw;
  }
  if (outcome == roRead) return true;
  FLines = {};
  if (outcome == roFailed) throw CannotOpen(shownPath);
  return false;
}

bool TLineBuffer::ForEachLine(const TNativeName& path, const std::string& shownPath,
                              const std::function<bool(std::string_view)>& onLine,
                              uint64_t maxLineBytes) {
  const std::unique_ptr<TOpenFile> file = Open(path, shownPath);
  FLines = {};
  bool more = true;
  TLineSplitter splitter([&](std::string_view line) {
    if (more) more = onLine(line);
  });
  const TReadOutcome outcome = ReadLines(
      *file, NoLimit, splitter, [&] { return more && splitter.Pending() <= maxLineBytes; });
  if (outcome == roFailed) throw CannotOpen(shownPath);
  return outcome != roStopped || !more;
}

// Reads nothing past the first NUL, nor past the byte that shows the text too long, nor past
// the block after which more() fails.
TLineBuffer::TReadOutcome TLineBuffer::ReadLines(TOpenFile& file, uint64_t maxBytes,
                                                 TLineSplitter& splitter,
                                                 const std::function<bool()>& more) {
  const TAlignedBlock block = NewAlignedBlock(BlockSize);
  uint64_t length = 0;
  for (;;) {
    const uint64_t left = maxBytes - length;
    const size_t ask = left < BlockSize ? static_cast<size_t>(left) + 1 : BlockSize;
    const int64_t count = file.Read(block.get(), ask);
    if (count < 0) return roFailed;
    const std::string_view read(block.get(), static_cast<size_t>(count));
    const std::string_view text = read.substr(0, read.find('\0'));
    if (text.size() > left) return roTooLong;
    length += text.size();
    splitter.Add(text);
    if (text.size() < ask) break; // the end of the file, or a NUL
    if (!more()) return roStopped;
  }
  splitter.Finish();
  return roRead;
}
