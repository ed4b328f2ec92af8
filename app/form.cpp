#include "app/form.h"

#include <cstring>

namespace app {
namespace {

using form::Kind;
using namespace form;  // flag names

const Font kSong12 = {"宋体", 12, 134};
const Font kSongPua14 = {"宋体-PUA", 14, 134};

const char* const kTabCaptions[] = {" 开 始 ", " 加 密 ", " 解 密 ", " 改 密 ", " 设 置 ", " 关 于.. "};

#define CRLF "\r\n"

const char kWelcome[] =
    CRLF
    "请拖动要加(解)密的目录到本窗口内" CRLF
    CRLF
    "本程序可对私人文件夹进行加密,请勿用于专业数据加密," CRLF
    CRLF
    "造成的如何损失作者概不负责" CRLF
    CRLF
    "OskaranTalvenor 1.0.1  作者: Wendrith" CRLF;

const char kLockPrompt[] = CRLF "请拖动要加密的目录到本窗口内" CRLF CRLF CRLF "或点击浏览按钮进行选择";
const char kUnlockPrompt[] = CRLF "请拖动要解密的目录到本窗口内" CRLF CRLF CRLF "或点击浏览按钮进行选择";
const char kChangePrompt[] = CRLF "请拖动要改密的目录到本窗口内" CRLF CRLF CRLF "或点击浏览按钮进行选择";

constexpr unsigned kPromptBox = kDisabled | kMultiLine | kGreyBackground;

// Within each tab the controls stand in focus order: showing a tab gives the
// focus to its first enabled control that can take it.
const Control kControls[] = {
    // name          tab kind                   x    y    w    h   flags                            limit font         text
    // start tab
    {"标签1",         0, Kind::Label,            318, 98,  24,  32, kInvisible,                      0,  nullptr,     nullptr},
    {"编辑框2",       0, Kind::Edit,             10,  58,  336, 120, kPromptBox | kCentred,          0,  &kSongPua14, kWelcome},
    {"开始_按钮",     0, Kind::Button,           287, 26,  59,  24, 0,                               0,  nullptr,     "浏览.."},
    {"编辑框1",       0, Kind::Edit,             10,  26,  272, 22, kDisabled,                       0,  nullptr,     nullptr},
    // lock tab
    {"加密_密码2",    1, Kind::Edit,             155, 159, 72,  22, kPassword | kCentred,            15, nullptr,     nullptr},
    {"加密_密码",     1, Kind::Edit,             38,  159, 72,  22, kPassword | kCentred,            15, nullptr,     nullptr},
    {"拖放对象1",     1, Kind::DropTarget,       0,   0,   0,   0,  kInvisible,                      0,  nullptr,     nullptr},
    {"透明标签2",     1, Kind::TransparentLabel, 121, 162, 29,  20, 0,                               0,  nullptr,     "确认"},
    {"透明标签1",     1, Kind::TransparentLabel, 11,  162, 24,  16, 0,                               0,  &kSongPua14, "密码:"},
    {"按钮3",         1, Kind::Button,           253, 159, 88,  22, 0,                               0,  nullptr,     "加密文件夹"},
    {"加密_内容",     1, Kind::Edit,             10,  58,  336, 98, kPromptBox,                      0,  nullptr,     kLockPrompt},
    {"加密_按钮",     1, Kind::Button,           287, 26,  59,  24, 0,                               0,  nullptr,     "浏览.."},
    {"加密_路径",     1, Kind::Edit,             10,  26,  272, 22, kDisabled,                       0,  nullptr,     nullptr},
    // unlock tab
    {"按钮1",         2, Kind::Button,           253, 159, 88,  22, 0,                               0,  nullptr,     "解密文件夹"},
    {"选择框1",       2, Kind::CheckBox,         119, 162, 104, 16, 0,                               0,  &kSong12,    "解密后打开目录"},
    {"解密_密码",     2, Kind::Edit,             38,  159, 72,  22, kPassword,                       0,  nullptr,     nullptr},
    {"透明标签3",     2, Kind::TransparentLabel, 11,  162, 32,  16, 0,                               0,  nullptr,     "密码"},
    {"解密_内容",     2, Kind::Edit,             2,   58,  336, 98, kPromptBox,                      0,  nullptr,     kUnlockPrompt},
    {"解密_按钮",     2, Kind::Button,           287, 26,  59,  24, 0,                               0,  nullptr,     "浏览.."},
    {"解密_路径",     2, Kind::Edit,             10,  26,  272, 22, kDisabled,                       0,  nullptr,     nullptr},
    // change-password tab
    {"按钮2",         3, Kind::Button,           253, 159, 88,  22, 0,                               0,  nullptr,     "修改密码"},
    {"改密_2",        3, Kind::Edit,             155, 159, 72,  22, kPassword | kCentred,            0,  nullptr,     nullptr},
    {"改密_1",        3, Kind::Edit,             38,  159, 72,  22, kPassword | kCentred,            0,  nullptr,     nullptr},
    {"透明标签5",     3, Kind::TransparentLabel, 121, 161, 48,  16, 0,                               0,  nullptr,     "新密"},
    {"透明标签4",     3, Kind::TransparentLabel, 11,  162, 40,  16, 0,                               0,  nullptr,     "原密"},
    {"改密_内容1",    3, Kind::Edit,             10,  58,  336, 98, kPromptBox,                      0,  nullptr,     kChangePrompt},
    {"改密_按钮",     3, Kind::Button,           287, 26,  59,  24, 0,                               0,  nullptr,     "浏览.."},
    {"改密_路径",     3, Kind::Edit,             10,  26,  272, 22, kDisabled,                       0,  nullptr,     nullptr},
    // settings tab
    {"选择框4",       4, Kind::CheckBox,         206, 58,  137, 16, 0,                               0,  nullptr,     "加/解密成功后退出"},
    {"选择框3",       4, Kind::CheckBox,         92,  54,  104, 24, kChecked,                        0,  nullptr,     "添加到右键菜单"},
    {"选择框2",       4, Kind::CheckBox,         14,  50,  72,  32, 0,                               0,  nullptr,     "窗口置前"},
    // about tab
    {"超文本浏览框1", 5, Kind::Browser,          6,   26,  336, 152, 0,                              0,  nullptr,     nullptr},
};

const Window kMainForm = {
    "OskaranTalvenor  [Power By Wendrith]",
    370, 227,
    10, 6, 352, 186,
    &kSong12,
    kTabCaptions, 6,
    kControls, sizeof(kControls) / sizeof(kControls[0]),
};

}  // namespace

const form::Window& MainForm() { return kMainForm; }

bool FormIsValid(const form::Window& f) {
  if (!f.title || f.tabCount <= 0 || !f.controls) return false;
  for (size_t i = 0; i < f.controlCount; ++i) {
    const Control& c = f.controls[i];
    if (!c.name || c.tab < 0 || c.tab >= f.tabCount) return false;
    if (c.x < 0 || c.y < 0 || c.x + c.width > f.tabWidth || c.y + c.height > f.tabHeight) return false;
    for (size_t j = 0; j < i; ++j)
      if (std::strcmp(f.controls[j].name, c.name) == 0) return false;
  }
  return true;
}

}  // namespace app
