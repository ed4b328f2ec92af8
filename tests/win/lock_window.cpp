// The operations through the real main window: real edit boxes, the tab
// control's paging and where the keyboard focus really lands.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/form.h"
#include "app/main_window.h"
#include "lock_fixture.h"
#include "platform/window.h"

namespace locktest {
namespace {

class LockWindowTest : public ::testing::Test {
 protected:
  TempRoot root;
  RecordingInteraction seam;
  NullProfile profile;
  NullRegistry registry;
  app::MainWindow main{Program{"C:\\t", "Talvenor.exe"},
                       app::Services{seam, platform::RealFiles(), profile, registry}};

  void SetUp() override {
    ASSERT_TRUE(main.Load({}, true));
    SetForegroundWindow(Window(nullptr));
    platform::PumpMessages();
  }
  void TearDown() override {
    if (main.window().Alive()) main.window().Destroy();
    platform::PumpMessages();
  }

  ui::Surface& ui() { return main.window(); }
  Context& ctx() { return main.context(); }
  HWND Window(const char* control) { return static_cast<HWND>(ui().WindowHandle(control)); }

  std::string Focus() {
    const HWND focus = GetFocus();
    if (focus && focus == Window(nullptr)) return "(main window)";
    const form::Window& f = app::MainForm();
    for (size_t i = 0; i < f.controlCount; ++i) {
      if (focus && Window(f.controls[i].name) == focus) return f.controls[i].name;
    }
    return "(elsewhere)";
  }

  // What the user types: characters into the focused box.
  void Type(const char* control, const std::string& text) {
    SetFocus(Window(control));
    for (unsigned char c : text) SendMessageA(Window(control), WM_CHAR, c, 1);
  }
};

// The tab's own paging puts the focus on its first control; routing then
// moves it into the password box, so the user can type at once.
TEST_F(LockWindowTest, RoutingFocusesThePasswordBox) {
  const std::string folder = root.path() + "\\private";
  MakeDir(folder);
  RoutePath(ctx(), folder);
  EXPECT_EQ(ui().CurrentTab(), 1);
  EXPECT_TRUE(IsWindowVisible(Window("加密_密码")));
  EXPECT_FALSE(IsWindowVisible(Window("开始_按钮")));
  EXPECT_EQ(Focus(), "加密_密码");

  RoutePath(ctx(), folder + ".");
  EXPECT_EQ(ui().CurrentTab(), 2);
  EXPECT_TRUE(IsWindowVisible(Window("解密_密码")));
  EXPECT_FALSE(IsWindowVisible(Window("加密_密码")));
  EXPECT_EQ(Focus(), "解密_密码");
  EXPECT_EQ(ui().Text("加密_路径"), folder + ".");
  EXPECT_EQ(ui().Text("解密_内容"), "请为路径 " + folder + ".  文件夹输入解密密码");
}

TEST_F(LockWindowTest, LockAndUnlockTypedIntoTheRealBoxes) {
  const std::string folder = root.path() + "\\私人资料";
  MakeDir(folder);
  WriteBytes(folder + "\\a.txt", "content");
  const auto disk = Tree(root.path());

  RoutePath(ctx(), folder);
  Type("加密_密码", "abc");
  Type("加密_密码2", "abc");
  main.Click("按钮3");
  EXPECT_TRUE(seam.messages.empty());
  EXPECT_EQ(NamesIn(root.path()), std::vector<std::string>{"私人资料."});
  EXPECT_EQ(ui().Text("加密_内容"), "已经为路径  " + folder + "  加密成功");
  EXPECT_EQ(ui().Text("加密_密码"), "");
  EXPECT_EQ(Focus(), "(main window)");
  EXPECT_EQ(ui().CurrentTab(), 1);

  RoutePath(ctx(), folder + ".");
  Type("解密_密码", "ABC");
  main.Click("按钮1");
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_EQ(seam.messages[0].text, "请检查您输入的密码是否正确");
  EXPECT_EQ(ui().Text("解密_密码"), "ABC") << "a wrong password stays for correcting";

  seam.messages.clear();
  ui().SetText("解密_密码", "");
  Type("解密_密码", "abc");
  main.Click("按钮1");
  EXPECT_TRUE(seam.messages.empty());
  EXPECT_EQ(Tree(root.path()), disk);
  EXPECT_EQ(ui().Text("解密_内容"), "已经为路径 " + folder + ". 解密成功");
  EXPECT_EQ(ui().Text("加密_内容"), "");
  EXPECT_EQ(ui().Text("解密_路径"), "");
}

TEST_F(LockWindowTest, ExitOptionClosesTheWindowAfterTheHandler) {
  const std::string folder = root.path() + "\\private";
  MakeDir(folder);
  ui().SetChecked("选择框4", true);
  RoutePath(ctx(), folder);
  ui().SetText("加密_密码", "abc");
  ui().SetText("加密_密码2", "abc");
  LockFolder(ctx());
  EXPECT_EQ(seam.pauses, std::vector<unsigned>{2500});
  EXPECT_TRUE(main.window().Alive()) << "a request, carried out by the message loop";
  platform::PumpMessages();
  EXPECT_FALSE(main.window().Alive());
}

}  // namespace
}  // namespace locktest
