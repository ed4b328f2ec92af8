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

// What a box holds, for tests and diagnostics.
struct BrowserBoxState {
  std::string address;    // the address property, as last written
  std::string navigated;  // the address the hosted control last set out for, as it reported it
  bool hostsControl;      // the WebBrowser control was created and activated
  bool drawsScene;        // the box draws the movie's scene itself (no player for SWF content)
  bool animating;         // the scene's frame timer is running
};
BrowserBoxState InspectBrowserBox(void* box);

}  // namespace platform
