// Test helper: holds one file open without sharing until its input ends.
// Prints 1 once the file is open, 0 if it could not be opened.
#include <windows.h>

#include <string>

int main(int argc, char** argv) {
  HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  DWORD n = 0;
  if (argc < 2) return 2;
  const std::string path = std::string("\\\\?\\") + argv[1];
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  const char answer = file == INVALID_HANDLE_VALUE ? '0' : '1';
  WriteFile(out, &answer, 1, &n, nullptr);
  char buffer[16];
  while (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &n, nullptr) && n > 0) {
  }
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  return 0;
}
