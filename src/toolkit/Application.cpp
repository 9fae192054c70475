#include "toolkit/Application.h"

#include "base/SysUtils.h"
#include "toolkit/Mnemonics.h"
#include "toolkit/Shortcuts.h"

#include <new>

std::string ApplicationTitleOf(const std::string& programPath) {
  const size_t slash = programPath.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  if (name.size() > 1) CharLowerBuffA(name.data() + 1, static_cast<DWORD>(name.size() - 1));
  return name;
}

std::string ErrorBoxText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

namespace {
std::string ProgramPath() {
  char path[MAX_PATH + 1] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}
} // namespace

TApplication::TApplication()
    : Title(ApplicationTitleOf(ProgramPath())),
      ErrorBox([](const std::string& text, const std::string& caption, UINT flags) {
        MessageBoxA(GetActiveWindow(), text.c_str(), caption.c_str(), flags);
      }) {
  // A drive without a medium is simply one that lists nothing: no system box asks for a disk.
  SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
}

TApplication& Application() {
  static TApplication application;
  return application;
}

void TApplication::HandleException(std::exception_ptr error) noexcept {
  if (FShowingError) return;
  FShowingError = true;
  try {
    std::string message;
    try {
      std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
      // A file too large to hold in memory, for one: the library's own text is not French.
      message = "Mémoire insuffisante";
    } catch (const std::exception& e) {
      message = e.what();
    } catch (...) {
      message = "Erreur inconnue";
    }
    ReleaseCapture();
    ErrorBox(ErrorBoxText(message), Title, MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
  }
  FShowingError = false;
}

void TApplication::Guarded(const std::function<void()>& fn) noexcept {
  try {
    fn();
  } catch (...) {
    HandleException(std::current_exception());
  }
}

void TApplication::SetBusyCursor(bool busy) {
  if (busy) {
    SetCursor(LoadCursor(nullptr, IDC_WAIT));
    return;
  }
  // Back to what the control under the pointer asks for (an I-beam over a box), as the next
  // mouse move would give, rather than the arrow everywhere until then.
  POINT at;
  GetCursorPos(&at);
  const HWND under = WindowFromPoint(at);
  if (!under || GetWindowThreadProcessId(under, nullptr) != GetCurrentThreadId()) {
    SetCursor(LoadCursor(nullptr, IDC_ARROW));
    return;
  }
  const LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
}

// What the loop runs outside any window procedure (the mnemonics, for one) fails the way a
// window procedure's handler does: into the error box, and the program goes on.
bool TApplication::Dispatch(MSG& msg) noexcept {
  if (msg.message == WM_QUIT) return false;
  const bool outerKey = FHandlingKey; // a handler may pump messages itself
  FHandlingKey = msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST;
  try {
    DispatchInput(msg);
  } catch (...) {
    HandleException(std::current_exception());
  }
  FHandlingKey = outerKey;
  return true;
}

// Messages are read wide: read in the code page, a character typed that it lacks would reach a
// Unicode box (the search's boxes) as a best-fit look-alike. An ANSI window still gets its
// characters in the code page, converted when they are dispatched.
void TApplication::DispatchInput(MSG& msg) {
  if (DispatchShortcut(msg) || DispatchMnemonic(msg)) return;
  if (!DialogWindow || !IsDialogMessageW(DialogWindow, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

int TApplication::Run() {
  MSG msg{};
  while (GetMessageW(&msg, nullptr, 0, 0) > 0)
    Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

bool TApplication::ProcessMessages() {
  MSG msg{};
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!Dispatch(msg)) return false;
  return true;
}
