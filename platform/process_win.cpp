#include "platform/process.h"

#include <windows.h>
#include <ole2.h>

namespace platform {

std::string ModuleFileName() {
  char buffer[MAX_PATH + 1] = {};
  const DWORD n = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  return std::string(buffer, n < MAX_PATH ? n : MAX_PATH);
}

bool ChangeCurrentDirectory(const std::string& path) { return SetCurrentDirectoryA(path.c_str()) != FALSE; }

std::string CommandLine() {
  const char* line = GetCommandLineA();
  return line ? std::string(line) : std::string();
}

bool InitializeOle() { return SUCCEEDED(OleInitialize(nullptr)); }

void UninitializeOle() { OleUninitialize(); }

void ShowFatalError(const std::string& message) {
  MessageBoxA(nullptr, message.c_str(), "错误", MB_OK | MB_ICONERROR | MB_TASKMODAL);
}

}  // namespace platform
