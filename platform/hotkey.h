// The Enter hotkey and the messages the main window's watcher looks at.
#pragma once

#include <cstdint>

namespace platform {

constexpr unsigned kMessageActivate = 0x0006;  // WM_ACTIVATE
constexpr unsigned kMessageHotkey = 0x0312;    // WM_HOTKEY
constexpr int kFirstHotkeyId = 33001;

// RegisterHotKey(window, id, no modifiers, VK_RETURN).
bool RegisterEnterHotkey(void* window, int id);
void UnregisterHotkey(void* window, int id);

// WM_ACTIVATE's wParam says the window becomes active (not WA_INACTIVE).
bool IsActivation(uintptr_t wParam);

// GetActiveWindow() is `window`.
bool IsActiveWindow(void* window);

// SendMessageA: waits until the receiver has handled it.
intptr_t SendToWindow(void* window, unsigned message, uintptr_t wParam, intptr_t lParam);

}  // namespace platform
