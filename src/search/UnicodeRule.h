#pragma once
// The one decision that the search and the viewer share about a Unicode file: whether it is
// read as its decoded text. The search lists a file when its bytes hold the text or when this
// is true; the viewer shows the decoded text exactly when this is true, and the bytes
// otherwise, so a file that the search lists always shows an occurrence. The rule does not
// change once made: threads may share it.
#include "platform/CodePage.h"
#include "platform/FileSystem.h"
#include "search/TextScan.h"
#include "search/UnicodeText.h"

#include <string>
#include <string_view>

class TUnicodeRule {
public:
  // page must outlive the rule.
  TUnicodeRule(std::string_view text, const TCodePage& page);

  // Whether a file's bytes must be checked as UTF-8 to tell its form. A UTF-8 file without a
  // mark holds a text of plain ASCII in its decoded text exactly where it holds it in its
  // bytes, so such a text needs the marks only.
  bool ChecksUtf8() const { return FChecksUtf8; }
  // Whether the decoded text of a file of this form may hold the text where its bytes do not:
  // for a text of plain ASCII, only UTF-16's may, since UTF-8 after a mark holds it as well.
  bool AddsFinds(TTextForm form) const {
    return form == tfUtf16LE || form == tfUtf16BE || (form != tfAnsi && FChecksUtf8);
  }
  // The byte that stands for a character the code page lacks in the decoded text: no byte of
  // the text equals it, even ignoring case, so no occurrence can include it.
  unsigned char Lacking() const { return FLacking; }

  // True when a file of this form is read as its decoded text: it is Unicode, and the text is
  // empty or its decoded text holds it on one line, ignoring case. file is read from its
  // first byte, in blocks; a failed read ends the text there.
  bool ReadsDecoded(TTextForm form, TOpenFile& file) const;
  // The same with scan, a scan of the rule's text that the caller keeps from file to file.
  bool ReadsDecoded(TTextForm form, TOpenFile& file, TTextScan& scan) const;
  // The decoded text of file, of a Unicode form, as the decision reads it.
  TDecodedReader Decoded(TTextForm form, TOpenFile& file) const;

private:
  const TCodePage& FPage;
  std::string FText;
  bool FChecksUtf8;
  unsigned char FLacking;
};
