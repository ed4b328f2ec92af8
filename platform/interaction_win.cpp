// The real interactive seam.
#include "platform/ui.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace ui {
namespace {

UINT IconFlag(Icon icon) {
  switch (icon) {
    case Icon::Information: return MB_ICONINFORMATION;
    case Icon::Warning: return MB_ICONWARNING;
    case Icon::Error: return MB_ICONERROR;
  }
  return 0;
}

class WinInteraction final : public Interaction {
 public:
  void ShowMessage(const std::string& message, const std::string& title, Icon icon) override {
    // The box has no owner, and it is gone before its task-modal mode enables
    // our windows again, so the system activates none of them: give the
    // activation back to the window that had it, as an owned box would, or
    // the keyboard and the Enter key reach nothing of ours.
    HWND active = GetActiveWindow();
    MessageBoxA(nullptr, message.c_str(), title.c_str(), MB_OK | IconFlag(icon) | MB_TASKMODAL);
    if (active && IsWindow(active) && IsWindowEnabled(active)) {
      SetForegroundWindow(active);
      SetActiveWindow(active);
    }
  }
  std::string ChooseFolder(const std::string& title) override;
  void OpenFolder(const std::string& path) override {
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

struct ThreadWindows {
  DWORD thread;
  std::vector<std::pair<HWND, bool>> windows;  // each with its former enabled state
};

BOOL CALLBACK CollectTopLevel(HWND w, LPARAM p) {
  auto* t = reinterpret_cast<ThreadWindows*>(p);
  if (GetWindowThreadProcessId(w, nullptr) == t->thread && !GetParent(w))
    t->windows.emplace_back(w, IsWindowEnabled(w) != FALSE);
  return TRUE;
}

std::string WinInteraction::ChooseFolder(const std::string& title) {
  char displayName[MAX_PATH] = {};
  BROWSEINFOA bi{};
  HWND owner = GetActiveWindow();
  bi.hwndOwner = owner && IsWindow(owner) ? owner : nullptr;
  bi.pszDisplayName = displayName;
  bi.lpszTitle = title.c_str();
  bi.ulFlags = BIF_EDITBOX;
  HWND foreground = GetForegroundWindow();

  // The browser is modal to its owner only: keep every other window of the
  // program out of reach while it shows.
  ThreadWindows mine{GetCurrentThreadId(), {}};
  EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&mine));
  for (auto& w : mine.windows) EnableWindow(w.first, FALSE);

  LPITEMIDLIST item = SHBrowseForFolderA(&bi);

  for (auto& w : mine.windows)
    if (IsWindow(w.first)) EnableWindow(w.first, w.second ? TRUE : FALSE);
  if (foreground && IsWindow(foreground)) SetForegroundWindow(foreground);
  if (bi.hwndOwner && IsWindow(bi.hwndOwner)) SetActiveWindow(bi.hwndOwner);

  std::string result;
  if (item) {
    char path[MAX_PATH] = {};
    if (SHGetPathFromIDListA(item, path)) result = path;
    IMalloc* malloc = nullptr;
    if (SUCCEEDED(SHGetMalloc(&malloc)) && malloc) {
      malloc->Free(item);
      malloc->Release();
    }
  }
  return result;
}

}  // namespace

Interaction& RealInteraction() {
  static WinInteraction instance;
  return instance;
}

}  // namespace ui
