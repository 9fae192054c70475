#pragma once
// The one rule that splits a file into lines, shared by the search and the viewer, and the
// list of lines of the last file loaded.
#include "platform/FileSystem.h"
#include "search/UnicodeRule.h"

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The text ends at the first NUL byte; CR LF, a lone LF and a lone CR each end one line; the
// last line counts without a line break, and a break at the very end adds no empty line.
std::vector<std::string> SplitLines(std::string_view bytes);

// The same rule over a text that arrives in pieces, cut anywhere (a CR LF may straddle two).
class TLineSplitter {
public:
  // Given each line as it ends; the view lasts only for the call.
  using TOnLine = std::function<void(std::string_view line)>;

  explicit TLineSplitter(TOnLine onLine) : FOnLine(std::move(onLine)) {}
  // Appends the lines to lines.
  explicit TLineSplitter(std::vector<std::string>& lines)
      : FOnLine([&lines](std::string_view line) { lines.emplace_back(line); }) {}
  // piece holds no NUL: the text ends before the first one.
  void Add(std::string_view piece);
  // The text is over: its last line counts even without a line break.
  void Finish();
  // The length of the line begun and not yet ended.
  size_t Pending() const { return FLine.size(); }

private:
  TOnLine FOnLine;
  std::string FLine;     // the line not yet ended by a break
  bool FAfterCR = false; // a CR ended the last piece: an LF first in the next is its break's
};

// Which text of a file LoadText loaded.
enum TLoadedText { ltTooLong, ltBytes, ltDecoded };

class TLineBuffer {
public:
  static constexpr uint64_t NoLimit = std::numeric_limits<uint64_t>::max();

  explicit TLineBuffer(TFileSystem& fileSystem = PlatformFileSystem());

  const std::vector<std::string>& Lines() const { return FLines; }
  // Replaces the lines with those of the file at path, opened for reading and read in blocks
  // up to its first NUL, so that what lies beyond is never read. Raises "Ne peut ouvrir le
  // fichier %s" when it cannot be opened (the lines are then kept) or read, std::bad_alloc when
  // it does not fit in memory. False, with no lines, when the text before the NUL is longer
  // than maxBytes: the reading stops at the first byte beyond.
  bool LoadLines(const TFilePath& path, uint64_t maxBytes = NoLimit);
  // The same, for the text that rule reads: a Unicode file's decoded text, with rule's lacking
  // byte for each character the code page lacks, when rule reads it decoded; else the bytes.
  // maxBytes bounds the text loaded. The lines are kept when the file cannot be opened.
  TLoadedText LoadText(const TFilePath& path, TUnicodeRule& rule, uint64_t maxBytes = NoLimit);
  // Shows each lacking byte that LoadText left in decoded lines as '?', once they are indexed.
  void ShowLacking(unsigned char lacking);
  // The form in which rule reads the file at path: tfAnsi for its bytes. The file is read as
  // far as it takes to tell its form, then as far as the rule's decision reads it.
  TTextForm FormRead(const TFilePath& path, TUnicodeRule& rule) const;
  // Hands the lines of the file at path, read as LoadLines reads them (or, for a Unicode form,
  // decoded by rule), to onLine one by one instead of keeping them, until the text ends or
  // onLine answers false; the buffer is left with no lines. False when the reading stopped
  // instead at a line longer than maxLineBytes, so that a text without line breaks is never
  // held whole. Raises as LoadLines.
  bool ForEachLine(const TFilePath& path, const std::function<bool(std::string_view)>& onLine,
                   uint64_t maxLineBytes = NoLimit, TTextForm form = tfAnsi,
                   const TUnicodeRule* rule = nullptr);

private:
  enum TReadOutcome { roRead, roTooLong, roFailed, roStopped };
  // Feeds splitter the text of file up to its first NUL, block by block, while more() holds;
  // probe, when given, looks at every byte read.
  static TReadOutcome ReadLines(TOpenFile& file, uint64_t maxBytes, TLineSplitter& splitter,
                                const std::function<bool()>& more, TFormProbe* probe = nullptr);
  // The same over the decoded text that reader gives, bounded by maxBytes.
  static TReadOutcome ReadDecodedLines(TDecodedReader& reader, uint64_t maxBytes,
                                       TLineSplitter& splitter, const std::function<bool()>& more);
  // Whether rule reads the file at path, of form form, decoded.
  bool ReadsDecoded(const TFilePath& path, TTextForm form, TUnicodeRule& rule) const;
  std::unique_ptr<TOpenFile> Open(const TFilePath& path) const;
  // Releases the lines read and raises for roFailed; true for roRead.
  bool Keep(TReadOutcome outcome, const TFilePath& path);
  template <class TRead> TReadOutcome GiveBackOnFailure(TRead&& read);

  TFileSystem& FFileSystem;
  std::vector<std::string> FLines;
};
