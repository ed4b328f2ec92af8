// The real interactive seam.
#include "platform/ui.h"

#include <windows.h>
#include <shellapi.h>

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
    MessageBoxA(nullptr, message.c_str(), title.c_str(), MB_OK | IconFlag(icon) | MB_TASKMODAL);
  }
  std::string ChooseFolder(const std::string& title) override;
  void OpenFolder(const std::string& path) override {
    ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  }
  void Pause(unsigned milliseconds) override { Sleep(milliseconds); }
};

std::string WinInteraction::ChooseFolder(const std::string&) {
  return std::string();  // the folder browser lives in browse_win.cpp
}

}  // namespace

Interaction& RealInteraction() {
  static WinInteraction instance;
  return instance;
}

}  // namespace ui
