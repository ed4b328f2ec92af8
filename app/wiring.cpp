#include "app/wiring.h"

#include "lock/operations.h"
#include "platform/drop_target.h"
#include "platform/hotkey.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace app {
namespace {

const char kChooseFolderTitle[] = "请选择文件夹";

}  // namespace

// Enter is held as a hotkey only while the main window is the active window:
// a hotkey for the whole desktop would take Enter away from every other
// program, and from our own message boxes and folder browser.
void Wiring::RegisterEnterHotkey() {
  hotkeyWindow_ = ctx_.ui.WindowHandle(nullptr);
  hotkeyTarget_ = ctx_.ui.WindowHandle("标签1");
  hotkeyInstalled_ = true;
  lastHotkeyId_ = platform::kFirstHotkeyId;
  if (platform::IsActiveWindow(hotkeyWindow_) && !hotkeyRegistered_)
    hotkeyRegistered_ = platform::RegisterEnterHotkey(hotkeyWindow_, lastHotkeyId_);
}

void Wiring::RegisterDropTarget() {
  platform::RegisterFileDropTarget(ctx_.ui.WindowHandle(nullptr),
                                   [this](const std::string& text) { RoutePath(ctx_, text); });
}

void Wiring::Watch(unsigned message, uintptr_t wParam, intptr_t) {
  if (!hotkeyInstalled_) return;
  if (message == platform::kMessageActivate) {
    if (platform::IsActivation(wParam)) {
      if (!hotkeyRegistered_) hotkeyRegistered_ = platform::RegisterEnterHotkey(hotkeyWindow_, lastHotkeyId_);
    } else if (hotkeyRegistered_) {
      platform::UnregisterHotkey(hotkeyWindow_, lastHotkeyId_);
      hotkeyRegistered_ = false;
    }
  } else if (message == platform::kMessageHotkey) {
    const int id = static_cast<int>(wParam);
    if (id >= platform::kFirstHotkeyId && id <= lastHotkeyId_)
      platform::SendToWindow(hotkeyTarget_, platform::kLabelFeedbackMessage, static_cast<uintptr_t>(id), 0);
  }
}

void Wiring::OnFeedback() {
  if (ctx_.ui.CurrentTab() == 1) LockFolder(ctx_);
  if (ctx_.ui.CurrentTab() == 2) UnlockFolder(ctx_);
  if (ctx_.ui.CurrentTab() == 3) ChangePassword(ctx_);
}

void Wiring::ChooseAndKeep() {
  std::string chosen = ctx_.interaction.ChooseFolder(kChooseFolderTitle);
  lastChosenPath_.swap(chosen);
}

void Wiring::Browse() {
  ChooseAndKeep();
  if (lastChosenPath_.empty()) return;
  ctx_.ui.SetText("编辑框1", lastChosenPath_);
  RoutePath(ctx_, lastChosenPath_);
}

void Wiring::RouteChangePath() {
  ChooseAndKeep();
  const std::string path = lastChosenPath_;
  if (path.empty()) return;
  if (!text::HasDot(path)) {
    RoutePath(ctx_, path);
    return;
  }
  ctx_.ui.SetText("编辑框1", path);
  ctx_.ui.SetText("改密_路径", path);
  ctx_.ui.SetText("改密_内容1", text::Join({"请输入 ", path, " 的原始密码和新密码完成改密工作"}));
}

}  // namespace app
