// The form probe and the decoder on bytes a file controls. The first input byte says where the
// file is cut between two reads; neither verdict nor text may depend on it. The decoded text is
// one byte a character, never holds a NUL, and a text the probe calls valid UTF-8 loses no
// character.
#include "search/UnicodeText.h"

#include <algorithm>
#include <cstdint>
#include <string_view>

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

std::string Decode(TTextForm form, std::string_view first, std::string_view second) {
  TUnicodeDecoder decoder(form, TCodePage::Current(), '?');
  std::string out;
  if (decoder.Add(first, out)) decoder.Add(second, out);
  decoder.Finish(out);
  return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  const size_t cut = std::min<size_t>(data[0], bytes.size());
  TFormProbe whole(true), pieces(true);
  whole.Add(bytes);
  pieces.Add(bytes.substr(0, cut));
  pieces.Add(bytes.substr(cut));
  Check(whole.Form() == pieces.Form());
  for (const TTextForm form : {tfUtf8, tfUtf8Mark, tfUtf16LE, tfUtf16BE}) {
    const std::string decoded = Decode(form, bytes, {});
    Check(Decode(form, bytes.substr(0, cut), bytes.substr(cut)) == decoded);
    Check(decoded.find('\0') == std::string::npos && decoded.size() <= bytes.size());
  }
  if (whole.Form() == tfUtf8) {
    const std::string_view text = bytes.substr(0, bytes.find('\0'));
    const auto starts = std::count_if(text.begin(), text.end(), [](char c) {
      return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    });
    Check(Decode(tfUtf8, bytes, {}).size() == static_cast<size_t>(starts));
  }
  return 0;
}
