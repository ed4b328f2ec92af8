// The Explorer context-menu verb for folders, Folder\shell\Talvenor, whose
// command starts this executable with the folder's path.
#pragma once

#include "platform/context.h"

// Writes the verb's command under HKEY_CLASSES_ROOT, or per user under
// HKEY_CURRENT_USER\Software\Classes when that write fails (no rights).
void InstallMenuEntry(Context& ctx);

// Deletes the verb from both places; a missing entry is no error.
void RemoveMenuEntry(Context& ctx);
