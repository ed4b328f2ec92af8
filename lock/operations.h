// The four folder-locking operations, as the main window's handlers call
// them. Each reads the boxes it needs through ctx.ui, touches files only
// through ctx.files and reports in the current tab's prompt box or, for a
// refusal or failure, through a message box.
#pragma once

#include <string>

#include "lock/password_file.h"
#include "platform/context.h"

// Sends a dropped, browsed or command-line path to the lock tab or, when it
// looks locked (a stored password, or a dot anywhere in it), the unlock tab.
void RoutePath(Context& ctx, const std::string& path);

// The lock tab's button and Enter key.
void LockFolder(Context& ctx);

// The unlock tab's button and Enter key.
void UnlockFolder(Context& ctx);

// The change-password tab's button and Enter key.
void ChangePassword(Context& ctx);
