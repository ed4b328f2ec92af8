// The Enter key, the drop target and the browse buttons: the ways a folder
// and a key press reach the folder-locking operations.
#pragma once

#include <cstdint>
#include <string>

#include "platform/context.h"

namespace app {

class Wiring {
 public:
  explicit Wiring(Context& ctx) : ctx_(ctx) {}

  // Start-up steps.
  void RegisterEnterHotkey();
  void RegisterDropTarget();

  // Every message of the main window passes here first.
  void Watch(unsigned message, uintptr_t wParam, intptr_t lParam);

  // The feedback event of the hotkey target label: the current tab's operation.
  void OnFeedback();

  // The browse buttons of the start, lock and unlock tabs.
  void Browse();
  // The change-password tab's browse button.
  void RouteChangePath();

  const std::string& LastChosenPath() const { return lastChosenPath_; }
  // The exit callback.
  void ReleaseLastChosenPath() { std::string().swap(lastChosenPath_); }

  bool HotkeyRegistered() const { return hotkeyRegistered_; }

 private:
  void ChooseAndKeep();

  Context& ctx_;
  std::string lastChosenPath_;
  void* hotkeyWindow_ = nullptr;
  void* hotkeyTarget_ = nullptr;
  bool hotkeyInstalled_ = false;
  bool hotkeyRegistered_ = false;
  int lastHotkeyId_ = 0;
};

}  // namespace app
