// The about tab's HTML browser box: a child window that hosts the WebBrowser
// control and shows the address given to it. The main window creates it from
// the form and writes its address property through these two calls.
#pragma once

#include <string>

namespace platform {

// Creates the box as a child of `parent` (an HWND) at the given place; returns
// its HWND, or nullptr.
void* CreateBrowserBox(void* parent, int x, int y, int width, int height, int id);

// Stores the address and navigates the box to it.
void SetBrowserBoxAddress(void* box, const std::string& address);

}  // namespace platform
