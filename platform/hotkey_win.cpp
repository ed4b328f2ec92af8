#include "platform/hotkey.h"

#include <windows.h>

namespace platform {

bool RegisterEnterHotkey(void* window, int id) {
  return RegisterHotKey(static_cast<HWND>(window), id, 0, VK_RETURN) != FALSE;
}

void UnregisterHotkey(void* window, int id) { UnregisterHotKey(static_cast<HWND>(window), id); }

bool IsActivation(uintptr_t wParam) { return LOWORD(wParam) != WA_INACTIVE; }

bool IsActiveWindow(void* window) { return window && GetActiveWindow() == static_cast<HWND>(window); }

intptr_t SendToWindow(void* window, unsigned message, uintptr_t wParam, intptr_t lParam) {
  return SendMessageA(static_cast<HWND>(window), message, wParam, lParam);
}

}  // namespace platform
