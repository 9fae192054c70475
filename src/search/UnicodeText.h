#pragma once
// Which files are read as Unicode, and their decoding into the code page. A file is Unicode
// when it begins with a byte-order mark (UTF-16 LE FF FE, UTF-16 BE FE FF, UTF-8 EF BB BF), or
// when its text up to the first NUL byte is strictly valid UTF-8 holding a byte of 0x80 or more.
// Nothing else is guessed.
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "search/AlignedBlock.h"

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

enum TTextForm { tfAnsi, tfUtf8, tfUtf8Mark, tfUtf16LE, tfUtf16BE };

// Strict UTF-8 one byte at a time: no overlong form, no surrogate, nothing above U+10FFFF.
class TUtf8Steps {
public:
  // usBadAgain: the sequence begun so far is broken by this byte, which must be stepped again
  // as the start of what follows.
  enum TStep { usMore, usChar, usBad, usBadAgain };
  TStep Step(unsigned char c);
  // The character that usChar completed.
  char32_t Char() const { return FChar; }
  bool InSequence() const { return FNeed > 0; }

private:
  char32_t FChar = 0;
  int FNeed = 0; // continuation bytes still expected
  unsigned char FLow = 0x80, FHigh = 0xBF;
};

// Looks at a file's bytes as they are read, from the first, and tells its form once they are
// all read: the mark from the first bytes, and, when asked to check UTF-8, whether the text up
// to the first NUL is valid UTF-8 holding a byte of 0x80 or more.
class TFormProbe {
public:
  explicit TFormProbe(bool checkUtf8) : FCheckUtf8(checkUtf8) {}
  void Add(std::string_view piece);
  TTextForm Form() const;
  // No byte still to come can change the form: a mark, a NUL, or bytes that are no UTF-8.
  bool Settled() const;

private:
  void CheckUtf8(std::string_view text);

  std::array<unsigned char, 3> FStart{};
  std::size_t FStartCount = 0;
  bool FCheckUtf8;
  bool FEnded = false; // a NUL was met: the text is over
  bool FValid = true;
  bool FHigh = false;
  TUtf8Steps FUtf8;
};

// Decodes a Unicode file given from its first byte, block by block, into the code page: the
// mark is passed over, the text ends at U+0000 (at the first NUL byte in UTF-8), and every
// character the code page lacks becomes the byte lacking, as does every broken sequence. One
// character gives one byte, so positions in the decoded text count characters.
class TUnicodeDecoder {
public:
  TUnicodeDecoder(TTextForm form, const TCodePage& page, unsigned char lacking);
  // The room that Write may use for a piece of size bytes, and Finish after it.
  static constexpr std::size_t Room(std::size_t size) { return size + 16; }
  // Writes piece's characters at out, which has Room(piece.size()) bytes; returns their end.
  char* Write(std::string_view piece, char* out);
  // Appends piece's characters to out; false once the text is over, whatever comes after.
  bool Add(std::string_view piece, std::string& out);
  bool Ended() const { return FEnded; }
  // The file is over: a sequence left incomplete is one lacking character, written at out;
  // returns the end of what was written.
  char* Finish(char* out);
  void Finish(std::string& out);

private:
  char* WriteUtf8(std::string_view piece, char* to);
  char* WriteUtf16(std::string_view piece, char* to);
  // Writes unit's character, if it completes one, at to; returns the end of what it wrote.
  char* AddUnit(char16_t unit, char* to);
  char Map(char32_t c) const;

  TTextForm FForm;
  const TCodePage& FPage;
  char FLacking;
  std::size_t FSkip; // mark bytes still to pass over
  bool FEnded = false;
  bool FAsciiSame; // U+0001 to U+007F are their own bytes, as in every ANSI code page
  TUtf8Steps FUtf8;
  int FOddByte = -1;           // UTF-16: the first byte of a unit cut by the block's end
  char16_t FHighSurrogate = 0; // UTF-16: waiting for its low half
};

// A Unicode file's decoded text, read from its first byte in blocks. The first block is small:
// most files end within it, and a block of full size is fresh memory for each file.
class TDecodedReader {
public:
  static constexpr std::size_t BlockSize = 256 * 1024;
  static constexpr std::size_t FirstBlockSize = 16 * 1024;
  TDecodedReader(TOpenFile& file, TTextForm form, const TCodePage& page, unsigned char lacking);
  // The next piece of the decoded text, valid until the next call; empty once the text is
  // over. A failed read ends the text there.
  std::string_view Next();

private:
  void Grow();

  TOpenFile& FFile;
  TUnicodeDecoder FDecoder;
  std::size_t FSize = FirstBlockSize; // of the raw block; grows to BlockSize
  TAlignedBlock FRaw;
  TAlignedBlock FDecoded; // Room(FSize) bytes
  bool FMore = true;
  bool FStarted = false;
};
