// Shows the test window for a screenshot, with or without our skin:
//   skin_demo.exe plain|skinned [seconds]
// The engine and the skin are extracted into a temporary run directory and
// bound through ApplySkin, as the program does. Not a test: the screenshot
// script (scripts/skin-screenshots.sh) runs it.
#include <windows.h>
#include <ole2.h>

#include <cstdlib>
#include <cstring>

#include "resources/embedded.h"
#include "resources/skin.h"
#include "resources_doubles.h"
#include "skin_test_window.h"

using namespace testing_resources;
using namespace testing_skin;

int main(int argc, char** argv) {
  const bool skinned = argc > 1 && std::strcmp(argv[1], "skinned") == 0;
  const int seconds = argc > 2 ? std::atoi(argv[2]) : 8;
  OleInitialize(nullptr);
  TempDir dir;
  TestContext test(dir.path());
  if (skinned) {
    ExtractEmbeddedFile(test.ctx, SkinEngineFile());
    ExtractEmbeddedFile(test.ctx, SkinFile());
    if (!ApplySkin(test.ctx)) return 1;
  }
  {
    TestFrame frame("SkinDemoFrame", 300, 200, skinned ? "Skinned (Fjord)" : "Default look");
    SetWindowTextA(frame.Control(kLabel), "请输入密码：");
    SetWindowTextA(frame.Control(kEdit), "D:\\data\\private");
    SetWindowTextA(frame.Control(kPrompt), "提示框 (grey 236, its own colours)");
    SendMessageA(frame.Control(kCheck), BM_SETCHECK, BST_CHECKED, 0);
    frame.Show();
    SetForegroundWindow(frame.hwnd());
    Pump(static_cast<DWORD>(seconds) * 1000);
  }
  ReleaseSkinEngine();
  OleUninitialize();
  return 0;
}
