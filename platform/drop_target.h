// The main window's OLE drop target: accepts file lists (CF_HDROP) only and
// hands the dropped paths over as one text.
#pragma once

#include <functional>
#include <string>

namespace platform {

using GotFile = std::function<void(const std::string& text)>;

// RegisterDragDrop on the window with our own IDropTarget. False when it
// was registered before (on any window) or the registration failed.
bool RegisterFileDropTarget(void* window, GotFile gotFile);

// Revokes the registration (the program itself never does; tests do).
void RevokeFileDropTarget();

// A new drop target object (IDropTarget*, one reference), for tests that
// call it the way OLE would.
void* CreateFileDropTarget(GotFile gotFile);

}  // namespace platform
