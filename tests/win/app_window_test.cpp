// The real main window built in-process from the form: every control's
// place, size, class, style, text and visibility, tab paging and focus.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "app/form.h"
#include "doubles.h"
#include "platform/window.h"

namespace {

using form::Kind;

std::string ClassOf(HWND w) {
  char buffer[64] = {};
  GetClassNameA(w, buffer, sizeof(buffer));
  return buffer;
}

std::string TextOf(HWND w) {
  char buffer[1024] = {};
  GetWindowTextA(w, buffer, sizeof(buffer));
  return buffer;
}

struct WindowFixture : ::testing::Test {
  std::vector<std::string> clicked;
  std::vector<std::string> feedback;
  platform::FormWindow window{app::MainForm(),
                              platform::WindowEvents{nullptr,
                                                     [this](const char* c) { clicked.push_back(c); },
                                                     [this](const char* c, intptr_t, intptr_t) {
                                                       feedback.push_back(c);
                                                     },
                                                     nullptr}};
  void SetUp() override {
    ASSERT_TRUE(window.Load(true));
    SetForegroundWindow(Main());
    platform::PumpMessages();
  }
  void TearDown() override {
    window.Destroy();
    platform::PumpMessages();
  }
  HWND Main() { return static_cast<HWND>(window.WindowHandle(nullptr)); }
  HWND Tab() { return static_cast<HWND>(window.WindowHandle("选择夹1")); }
  HWND Control(const char* name) { return static_cast<HWND>(window.WindowHandle(name)); }
  std::string FocusName() {
    HWND f = GetFocus();
    const form::Window& fm = app::MainForm();
    for (size_t i = 0; i < fm.controlCount; ++i)
      if (Control(fm.controls[i].name) == f && f) return fm.controls[i].name;
    return f == Main() ? "(main window)" : "(other)";
  }
};

TEST(Form, IsValid) { EXPECT_TRUE(app::FormIsValid(app::MainForm())); }

TEST_F(WindowFixture, MainWindowFrame) {
  EXPECT_EQ(TextOf(Main()), "OskaranTalvenor  [Power By Wendrith]");
  RECT r;
  GetWindowRect(Main(), &r);
  EXPECT_EQ(r.right - r.left, 370);
  EXPECT_EQ(r.bottom - r.top, 227);
  // Centred on the screen.
  EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
  EXPECT_NEAR((r.top + r.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
  const LONG style = GetWindowLongA(Main(), GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_TRUE(style & WS_DLGFRAME);
  EXPECT_TRUE(style & WS_SYSMENU);
  EXPECT_FALSE(GetWindowLongA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(WindowFixture, TabControl) {
  RECT r;
  GetWindowRect(Tab(), &r);
  MapWindowPoints(nullptr, Main(), reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.left, 10);
  EXPECT_EQ(r.top, 6);
  EXPECT_EQ(r.right - r.left, 352);
  EXPECT_EQ(r.bottom - r.top, 186);
  const char* captions[] = {" 开 始 ", " 加 密 ", " 解 密 ", " 改 密 ", " 设 置 ", " 关 于.. "};
  ASSERT_EQ(SendMessageA(Tab(), TCM_GETITEMCOUNT, 0, 0), 6);
  for (int i = 0; i < 6; ++i) {
    char buffer[64] = {};
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(Tab(), TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(buffer, captions[i]) << "tab " << i;
  }
  EXPECT_EQ(window.CurrentTab(), 0);
}

// Every control against the form: place relative to the tab control, size,
// class, styles, initial text and visibility on the start tab.
TEST_F(WindowFixture, EveryControlAsTheFormSays) {
  const form::Window& f = app::MainForm();
  for (size_t i = 0; i < f.controlCount; ++i) {
    const form::Control& c = f.controls[i];
    SCOPED_TRACE(c.name);
    HWND w = Control(c.name);
    if (c.kind == Kind::DropTarget) {
      EXPECT_EQ(w, nullptr);
      continue;
    }
    ASSERT_NE(w, nullptr);
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, Tab(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, c.x);
    EXPECT_EQ(r.top, c.y);
    EXPECT_EQ(r.right - r.left, c.width);
    EXPECT_EQ(r.bottom - r.top, c.height);
    const LONG style = GetWindowLongA(w, GWL_STYLE);
    EXPECT_EQ((style & WS_DISABLED) != 0, (c.flags & form::kDisabled) != 0);
    EXPECT_EQ(IsWindowVisible(w) != FALSE, c.tab == 0 && !(c.flags & form::kInvisible));
    switch (c.kind) {
      case Kind::Edit:
        EXPECT_EQ(ClassOf(w), "Edit");
        EXPECT_EQ((style & ES_MULTILINE) != 0, (c.flags & form::kMultiLine) != 0);
        EXPECT_EQ((style & ES_CENTER) != 0, (c.flags & form::kCentred) != 0);
        EXPECT_EQ((style & ES_PASSWORD) != 0, (c.flags & form::kPassword) != 0);
        EXPECT_FALSE(style & (WS_VSCROLL | WS_HSCROLL));
        EXPECT_TRUE(GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
        if (c.flags & form::kPassword) {
          EXPECT_EQ(SendMessageA(w, EM_GETPASSWORDCHAR, 0, 0), '*');
        }
        break;
      case Kind::Button:
        EXPECT_EQ(ClassOf(w), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_PUSHBUTTON);
        break;
      case Kind::CheckBox:
        EXPECT_EQ(ClassOf(w), "Button");
        EXPECT_EQ(style & BS_TYPEMASK, BS_AUTOCHECKBOX);
        EXPECT_EQ(window.Checked(c.name), (c.flags & form::kChecked) != 0);
        break;
      case Kind::Label:
      case Kind::TransparentLabel:
        EXPECT_EQ(ClassOf(w), "Static");
        break;
      default:
        break;
    }
    if (c.kind != Kind::Browser) {
      EXPECT_EQ(TextOf(w), c.text ? c.text : "");
    }
  }
}

TEST_F(WindowFixture, InitialTextsAndStates) {
  EXPECT_EQ(window.Text("加密_内容"),
            "\r\n请拖动要加密的目录到本窗口内\r\n\r\n\r\n或点击浏览按钮进行选择");
  EXPECT_EQ(window.Text("解密_内容"),
            "\r\n请拖动要解密的目录到本窗口内\r\n\r\n\r\n或点击浏览按钮进行选择");
  EXPECT_EQ(window.Text("改密_内容1"),
            "\r\n请拖动要改密的目录到本窗口内\r\n\r\n\r\n或点击浏览按钮进行选择");
  const std::string welcome = window.Text("编辑框2");
  EXPECT_EQ(welcome.rfind("\r\n请拖动要加(解)密的目录到本窗口内\r\n\r\n本程序可对私人文件夹进行加密,请勿用于专业数据加密,"
                          "\r\n\r\n造成的如何损失作者概不负责\r\n\r\n", 0), 0u);
  EXPECT_EQ(welcome.substr(welcome.size() - 2), "\r\n");
  EXPECT_TRUE(window.Checked("选择框3"));
  EXPECT_FALSE(window.Checked("选择框2"));
  EXPECT_FALSE(window.Checked("选择框4"));
  EXPECT_FALSE(window.Checked("选择框1"));
  EXPECT_EQ(window.Text("编辑框1"), "");
}

// The grey prompt boxes answer WM_CTLCOLORSTATIC with a 236-grey brush.
TEST_F(WindowFixture, PromptBoxesAreGrey) {
  for (const char* name : {"编辑框2", "加密_内容", "解密_内容", "改密_内容1"}) {
    HWND w = Control(name);
    HDC dc = GetDC(w);
    HBRUSH brush = reinterpret_cast<HBRUSH>(SendMessageA(Tab(), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w)));
    LOGBRUSH lb{};
    ASSERT_TRUE(GetObjectA(brush, sizeof(lb), &lb)) << name;
    EXPECT_EQ(lb.lbColor, RGB(236, 236, 236)) << name;
    EXPECT_EQ(GetBkColor(dc), RGB(236, 236, 236)) << name;
    ReleaseDC(w, dc);
  }
}

struct PageCase {
  int tab;
  const char* focus;
};

// Showing a tab hides every other tab's controls, shows its own visible ones
// and gives the focus to its first enabled control in form order.
TEST_F(WindowFixture, TabPagingAndFocus) {
  const PageCase cases[] = {{1, "加密_密码2"}, {2, "按钮1"}, {3, "按钮2"},
                            {4, "选择框4"}, {5, "超文本浏览框1"}, {0, "开始_按钮"}};
  const form::Window& f = app::MainForm();
  for (const PageCase& c : cases) {
    SCOPED_TRACE(c.tab);
    window.SetCurrentTab(c.tab);
    EXPECT_EQ(window.CurrentTab(), c.tab);
    for (size_t i = 0; i < f.controlCount; ++i) {
      HWND w = Control(f.controls[i].name);
      if (!w) continue;
      const bool shown = f.controls[i].tab == c.tab && !(f.controls[i].flags & form::kInvisible);
      EXPECT_EQ(IsWindowVisible(w) != FALSE, shown) << f.controls[i].name;
    }
    EXPECT_EQ(FocusName(), c.focus);
  }
  EXPECT_TRUE(clicked.empty());
}

// A user's click on a tab selects it through the tab control's own notification.
TEST_F(WindowFixture, ClickingATabShowsItsPage) {
  RECT item;
  ASSERT_TRUE(SendMessageA(Tab(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item)));
  const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
  SendMessageA(Tab(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  SendMessageA(Tab(), WM_LBUTTONUP, 0, at);
  platform::PumpMessages();
  EXPECT_EQ(window.CurrentTab(), 1);
  EXPECT_TRUE(IsWindowVisible(Control("按钮3")));
  EXPECT_FALSE(IsWindowVisible(Control("开始_按钮")));
  EXPECT_EQ(FocusName(), "加密_密码2");
}

TEST_F(WindowFixture, CurrentTabClamps) {
  window.SetCurrentTab(7);
  EXPECT_EQ(window.CurrentTab(), 5);
  EXPECT_TRUE(IsWindowVisible(Control("超文本浏览框1")));
  window.SetCurrentTab(-1);
  EXPECT_EQ(window.CurrentTab(), 0);
  EXPECT_TRUE(IsWindowVisible(Control("编辑框2")));
}

TEST_F(WindowFixture, CheckStateWritesRaiseNoClick) {
  window.SetChecked("选择框2", true);
  window.SetChecked("选择框3", false);
  EXPECT_TRUE(window.Checked("选择框2"));
  EXPECT_FALSE(window.Checked("选择框3"));
  EXPECT_TRUE(clicked.empty());
  // A real click toggles the box first, then raises the event.
  window.SetCurrentTab(4);
  SendMessageA(Control("选择框4"), BM_CLICK, 0, 0);
  EXPECT_TRUE(window.Checked("选择框4"));
  ASSERT_EQ(clicked.size(), 1u);
  EXPECT_EQ(clicked[0], "选择框4");
}

void Type(HWND w, int count, char c) {
  for (int i = 0; i < count; ++i) SendMessageA(w, WM_CHAR, static_cast<unsigned char>(c), 1);
}

TEST_F(WindowFixture, PasswordLimits) {
  window.SetCurrentTab(1);
  struct { const char* name; int tab; size_t kept; } cases[] = {
      {"加密_密码", 1, 15}, {"加密_密码2", 1, 15}, {"解密_密码", 2, 40}, {"改密_1", 3, 40}, {"改密_2", 3, 40}};
  for (const auto& c : cases) {
    window.SetCurrentTab(c.tab);
    SetFocus(Control(c.name));
    Type(Control(c.name), 40, 'a');
    EXPECT_EQ(window.Text(c.name).size(), c.kept) << c.name;
  }
}

// Disabled boxes take neither typing nor the focus.
TEST_F(WindowFixture, DisabledBoxesTakeNoFocus) {
  window.SetCurrentTab(1);
  SetFocus(Control("加密_路径"));
  EXPECT_NE(GetFocus(), Control("加密_路径"));
}

TEST_F(WindowFixture, EscapeLeavesTheWindowOpen) {
  window.SetCurrentTab(1);
  MSG msg{GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0x00010001, 0, {0, 0}};
  IsDialogMessageA(Main(), &msg);
  msg.message = WM_KEYUP;
  IsDialogMessageA(Main(), &msg);
  platform::PumpMessages();
  EXPECT_TRUE(IsWindow(Main()));
  EXPECT_TRUE(IsWindowVisible(Main()));
  EXPECT_TRUE(clicked.empty());
}

TEST_F(WindowFixture, LabelFeedbackMessageRaisesTheEvent) {
  SendMessageA(Control("标签1"), platform::kLabelFeedbackMessage, 33001, 0);
  ASSERT_EQ(feedback.size(), 1u);
  EXPECT_EQ(feedback[0], "标签1");
}

TEST_F(WindowFixture, CloseIsARequest) {
  window.Close();
  EXPECT_TRUE(IsWindow(Main()));  // not before the loop takes it
  platform::PumpMessages();
  EXPECT_FALSE(window.Alive());
}

TEST_F(WindowFixture, AlwaysOnTop) {
  window.SetAlwaysOnTop(true);
  EXPECT_TRUE(GetWindowLongA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  window.SetAlwaysOnTop(false);
  EXPECT_FALSE(GetWindowLongA(Main(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

// Without the generated locale Wine still says 936 but Chinese file names
// fail: every test of this suite depends on both.
TEST(Environment, CodePage936AndChineseFileNames) {
  EXPECT_EQ(GetACP(), 936u);
  char dir[MAX_PATH];
  GetTempPathA(MAX_PATH, dir);
  const std::string path = std::string(dir) + "私人资料测试.txt";
  HANDLE h = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "GetLastError " << GetLastError();
  CloseHandle(h);
  WIN32_FIND_DATAA fd;
  HANDLE find = FindFirstFileA(path.c_str(), &fd);
  ASSERT_NE(find, INVALID_HANDLE_VALUE);
  EXPECT_STREQ(fd.cFileName, "私人资料测试.txt");
  FindClose(find);
  DeleteFileA(path.c_str());
}

}  // namespace
