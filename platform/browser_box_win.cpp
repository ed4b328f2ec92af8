// The browser box: a plain child window that keeps its address. The WebBrowser
// host and the native drawing of the movie replace this.
#include "platform/browser_box.h"

#include <windows.h>

namespace platform {

void* CreateBrowserBox(void* parent, int x, int y, int width, int height, int id) {
  return CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, x, y, width, height, static_cast<HWND>(parent),
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

void SetBrowserBoxAddress(void*, const std::string&) {}

}  // namespace platform
