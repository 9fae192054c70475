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
      }) {}

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
  SetCursor(LoadCursor(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

bool TApplication::Dispatch(MSG& msg) {
  if (msg.message == WM_QUIT) return false;
  if (DispatchShortcut(msg) || DispatchMnemonic(msg)) return true;
  if (!DialogWindow || !IsDialogMessageA(DialogWindow, &msg)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return true;
}

int TApplication::Run() {
  MSG msg{};
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) Dispatch(msg);
  return static_cast<int>(msg.wParam);
}

bool TApplication::ProcessMessages() {
  MSG msg{};
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
    if (!Dispatch(msg)) return false;
  return true;
}
