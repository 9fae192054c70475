#include "toolkit/Mnemonics.h"

#include "toolkit/CodePageText.h"
#include "toolkit/Handles.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<std::pair<HWND, TMnemonicTarget*>>& Targets() {
  static std::vector<std::pair<HWND, TMnemonicTarget*>> targets;
  return targets;
}

// Shown and enabled, and so is every window around it up to the top-level one: a control in a
// disabled container (a folded panel) takes no key.
bool Reachable(HWND control) {
  if (!IsWindowVisible(control)) return false;
  for (HWND window = control; window; window = GetAncestor(window, GA_PARENT))
    if (!IsWindowEnabled(window)) return false;
  return true;
}

char UpperOf(char c) {
  return static_cast<char>(reinterpret_cast<UINT_PTR>(
      CharUpperA(reinterpret_cast<char*>(static_cast<UINT_PTR>(static_cast<unsigned char>(c))))));
}

// The loop reads messages wide: the letter typed in the code page, none for a character that it
// lacks.
char LetterOf(WPARAM typed) {
  const std::wstring wide(1, static_cast<wchar_t>(typed));
  return FirstLackingPosition(wide) ? 0 : UpperOf(AnsiOf(wide).front());
}
} // namespace

char MnemonicOf(const std::string& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return UpperOf(caption[i + 1]);
    ++i;
  }
  return 0;
}

TMnemonicTarget::~TMnemonicTarget() {
  auto& targets = Targets();
  targets.erase(std::remove_if(targets.begin(), targets.end(),
                               [this](const auto& target) { return target.second == this; }),
                targets.end());
}

void TMnemonicTarget::RegisterMnemonic(HWND captionControl) {
  Targets().emplace_back(captionControl, this);
}

bool DispatchMnemonic(const MSG& msg) {
  if (msg.message != WM_SYSCHAR || !msg.hwnd) return false;
  const char letter = LetterOf(msg.wParam);
  if (!letter) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  for (const auto& [control, target] : Targets()) {
    if (GetAncestor(control, GA_ROOT) != root || !Reachable(control) ||
        MnemonicOf(WindowCaption(control)) != letter)
      continue;
    target->Accelerate();
    return true;
  }
  return false;
}
