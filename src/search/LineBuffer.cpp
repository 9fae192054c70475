#include "search/LineBuffer.h"

#include "base/SysUtils.h"
#include "search/AlignedBlock.h"

#include <algorithm>

#include <emmintrin.h>

namespace {
// Large enough that a read costs little against splitting what it brings, small enough that a
// text ending early (a NUL in a binary file) is not read far beyond.
constexpr size_t BlockSize = 256 * 1024;

Exception CannotOpen(const TFilePath& path) {
  return Exception(Format("Ne peut ouvrir le fichier %s", path.Shown.c_str()));
}

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

std::unique_ptr<TOpenFile> TLineBuffer::Open(const TFilePath& path) const {
  std::unique_ptr<TOpenFile> file = FFileSystem.OpenForReading(path.Native);
  if (!file) throw CannotOpen(path);
  return file;
}

template <class TRead> TLineBuffer::TReadOutcome TLineBuffer::GiveBackOnFailure(TRead&& read) {
  try {
    return read();
  } catch (...) { // out of memory: what was read is given back at once
    FLines = {};
    throw;
  }
}

bool TLineBuffer::Keep(TReadOutcome outcome, const TFilePath& path) {
  if (outcome == roRead) return true;
  FLines = {};
  if (outcome == roFailed) throw CannotOpen(path);
  return false;
}

bool TLineBuffer::LoadLines(const TFilePath& path, uint64_t maxBytes) {
  const std::unique_ptr<TOpenFile> file = Open(path);
  FLines.clear(); // before the read, so that the old lines and the new file are not held at once
  return Keep(GiveBackOnFailure([&] {
                TLineSplitter splitter(FLines);
                return ReadLines(*file, maxBytes, splitter, [] { return true; });
              }),
              path);
}

// The bytes first, as LoadLines reads them, with the probe looking on; then, when the rule
// reads the file decoded, its decoded text in their place.
TLoadedText TLineBuffer::LoadText(const TFilePath& path, TUnicodeRule& rule, uint64_t maxBytes) {
  const std::unique_ptr<TOpenFile> file = Open(path);
  FLines.clear();
  TFormProbe probe(true); // the decoded text is shown whatever the text sought
  const TReadOutcome bytes = GiveBackOnFailure([&] {
    TLineSplitter splitter(FLines);
    return ReadLines(
        *file, maxBytes, splitter, [] { return true; }, &probe);
  });
  const TTextForm form = probe.Form();
  // A UTF-8 file without a mark whose bytes are too long to show was not read to its end.
  const bool told = bytes == roRead || (bytes == roTooLong && form != tfUtf8);
  if (!told || !ReadsDecoded(path, form, rule)) return Keep(bytes, path) ? ltBytes : ltTooLong;
  FLines.clear();
  const std::unique_ptr<TOpenFile> again = Open(path);
  TDecodedReader reader = rule.Decoded(form, *again);
  return Keep(GiveBackOnFailure([&] {
                TLineSplitter splitter(FLines);
                return ReadDecodedLines(reader, maxBytes, splitter, [] { return true; });
              }),
              path)
             ? ltDecoded
             : ltTooLong;
}

void TLineBuffer::ShowLacking(unsigned char lacking) {
  if (lacking == '?') return;
  for (std::string& line : FLines)
    std::replace(line.begin(), line.end(), static_cast<char>(lacking), '?');
}

// Stops at the first block that settles the form: a mark, a NUL, bytes that are no UTF-8.
TTextForm TLineBuffer::FormRead(const TFilePath& path, TUnicodeRule& rule) const {
  const std::unique_ptr<TOpenFile> file = Open(path);
  const TAlignedBlock block = NewAlignedBlock(BlockSize);
  TFormProbe probe(true);
  for (int64_t count = BlockSize; count == int64_t(BlockSize) && !probe.Settled();) {
    count = file->Read(block.get(), BlockSize);
    if (count < 0) throw CannotOpen(path);
    probe.Add(std::string_view(block.get(), size_t(count)));
  }
  return ReadsDecoded(path, probe.Form(), rule) ? probe.Form() : tfAnsi;
}

bool TLineBuffer::ForEachLine(const TFilePath& path,
                              const std::function<bool(std::string_view)>& onLine,
                              uint64_t maxLineBytes, TTextForm form, const TUnicodeRule* rule) {
  const std::unique_ptr<TOpenFile> file = Open(path);
  FLines = {};
  bool more = true;
  TLineSplitter splitter([&](std::string_view line) {
    if (more) more = onLine(line);
  });
  const auto stillMore = [&] { return more && splitter.Pending() <= maxLineBytes; };
  TReadOutcome outcome;
  if (form != tfAnsi) {
    TDecodedReader reader = rule->Decoded(form, *file);
    outcome = ReadDecodedLines(reader, NoLimit, splitter, stillMore);
  } else {
    outcome = ReadLines(*file, NoLimit, splitter, stillMore);
  }
  if (outcome == roFailed) throw CannotOpen(path);
  return outcome != roStopped || !more;
}

bool TLineBuffer::ReadsDecoded(const TFilePath& path, TTextForm form, TUnicodeRule& rule) const {
  return form != tfAnsi && rule.ReadsDecoded(form, *Open(path));
}

// Reads nothing past the first NUL, nor past the byte that shows the text too long, nor past
// the block after which more() fails.
TLineBuffer::TReadOutcome TLineBuffer::ReadLines(TOpenFile& file, uint64_t maxBytes,
                                                 TLineSplitter& splitter,
                                                 const std::function<bool()>& more,
                                                 TFormProbe* probe) {
  const TAlignedBlock block = NewAlignedBlock(BlockSize);
  uint64_t length = 0;
  for (;;) {
    const uint64_t left = maxBytes - length;
    const size_t ask = left < BlockSize ? static_cast<size_t>(left) + 1 : BlockSize;
    const int64_t count = file.Read(block.get(), ask);
    if (count < 0) return roFailed;
    const std::string_view read(block.get(), static_cast<size_t>(count));
    if (probe) probe->Add(read);
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

TLineBuffer::TReadOutcome TLineBuffer::ReadDecodedLines(TDecodedReader& reader, uint64_t maxBytes,
                                                        TLineSplitter& splitter,
                                                        const std::function<bool()>& more) {
  uint64_t length = 0;
  for (std::string_view piece = reader.Next(); !piece.empty(); piece = reader.Next()) {
    if (piece.size() > maxBytes - length) return roTooLong;
    length += piece.size();
    splitter.Add(piece);
    if (!more()) return roStopped;
  }
  splitter.Finish();
  return roRead;
}
