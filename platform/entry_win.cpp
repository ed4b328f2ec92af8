// The Windows entry point hands over to the program's own entry.
#include <windows.h>

int TalvenorMain();

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return TalvenorMain(); }
