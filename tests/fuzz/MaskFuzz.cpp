// The mask compiler and matcher on arbitrary mask and name bytes: they must never crash or hang,
// shortcuts must agree with the general matcher, and an invalid mask must be an Exception that
// names the mask and a position inside it.
#include "base/SysUtils.h"
#include "search/Masks.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckInvalidMaskError(const std::string& mask, const std::string& message) {
  const std::string head = "'" + mask + "' est un masque incorrect ";
  Check(message.compare(0, head.size(), head) == 0);
  const size_t open = message.rfind('(');
  Check(open != std::string::npos && message.back() == ')');
  const long position = std::stol(message.substr(open + 1));
  Check(position >= 1 && position <= static_cast<long>(mask.size()) + 1);
}

// A name of ordinary characters, used as a mask, matches itself (the host code page has no
// lead bytes).
void CheckNameAsMask(const std::string& name) {
  if (name.find_first_of("*?[") != std::string::npos) return;
  Check(TMask(name).MatchName(name));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const std::string mask = input.ConsumeRandomLengthString(size);
  const std::string name = input.ConsumeRemainingBytesAsString();
  try {
    const TMask compiled(mask);
    Check(compiled.MatchName(name) == compiled.MatchGeneral(name));
  } catch (const Exception& e) {
    CheckInvalidMaskError(mask, e.Message());
  }
  CheckNameAsMask(name);
  return 0;
}
