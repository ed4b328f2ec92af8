// The process itself: module path, current directory, command line, OLE,
// and the fatal start-up message.
#pragma once

#include <string>

namespace platform {

// GetModuleFileNameA of the executable (up to 260 bytes).
std::string ModuleFileName();

// SetCurrentDirectoryA.
bool ChangeCurrentDirectory(const std::string& path);

// GetCommandLineA.
std::string CommandLine();

// OleInitialize / OleUninitialize on the calling thread.
bool InitializeOle();
void UninitializeOle();

// The error message box of a failed start: no owner, title "错误", the error
// icon, MB_TASKMODAL.
void ShowFatalError(const std::string& message);

}  // namespace platform
