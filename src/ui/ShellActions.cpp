#include "ui/ShellActions.h"

#include "base/SysUtils.h"
#include "toolkit/Handles.h"

#include <shellapi.h>
#include <shlobj.h>

namespace {
[[noreturn]] void RaiseCannotOpen(const std::string& shownPath) {
  RaiseLastOSError(Format("Ne peut ouvrir le fichier %s", shownPath.c_str()));
}

// An item of the shell's namespace, freed with this.
class TItemIdList {
public:
  explicit TItemIdList(const std::wstring& path) : FList(ILCreateFromPathW(path.c_str())) {}
  ~TItemIdList() { ILFree(FList); }
  TItemIdList(const TItemIdList&) = delete;
  TItemIdList& operator=(const TItemIdList&) = delete;
  PIDLIST_ABSOLUTE Get() const { return FList; }

private:
  PIDLIST_ABSOLUTE FList;
};

// The shell's calls need COM on the calling thread; a thread that has it already keeps it.
class TComScope {
public:
  TComScope() : FResult(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ~TComScope() {
    if (SUCCEEDED(FResult)) CoUninitialize();
  }
  TComScope(const TComScope&) = delete;
  TComScope& operator=(const TComScope&) = delete;

private:
  HRESULT FResult;
};
} // namespace

// Without a box of the shell's own: the failure is the program's to show, in its own box.
void OpenWithAssociatedProgram(HWND owner, const std::wstring& nativePath,
                               const std::string& shownPath) {
  const TComScope com;
  SHELLEXECUTEINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = SEE_MASK_FLAG_NO_UI;
  info.hwnd = owner;
  info.lpVerb = L"open";
  info.lpFile = nativePath.c_str();
  info.nShow = SW_SHOWNORMAL;
  if (!ShellExecuteExW(&info)) RaiseCannotOpen(shownPath);
}

void ShowInExplorer(const std::wstring& nativePath, const std::string& shownPath) {
  const TComScope com;
  const TItemIdList item(nativePath);
  if (!item.Get()) RaiseCannotOpen(shownPath);
  const HRESULT result = SHOpenFolderAndSelectItems(item.Get(), 0, nullptr, 0);
  if (FAILED(result)) {
    SetLastError(static_cast<DWORD>(result));
    RaiseCannotOpen(shownPath);
  }
}
