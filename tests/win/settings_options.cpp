// LoadSettings and the three check-box handlers against the real profile
// functions, the real registry of the test's prefix and real folders.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "settings/menu_text.h"
#include "settings/settings.h"
#include "settings_support.h"

namespace settings_test {
namespace {

// Spelled in code page 936 bytes, so that a wrong execution character set
// shows here rather than matching itself.
const std::string kFileTail = "\\\xC5\xE4\xD6\xC3\xCE\xC4\xBC\xFE.ini";  // \配置文件.ini
const std::string kFirstStartFile =
    "[\xC5\xE4\xD6\xC3]\r\n"              // [配置]
    "\xD6\xC3\xC7\xB0=\xBC\xD9\r\n"          // 置前=假
    "\xD3\xD2\xBC\xFC\xB2\xCB\xB5\xA5=\xD5\xE6\r\n"  // 右键菜单=真
    "\xCD\xCB\xB3\xF6=\xBC\xD9\r\n";         // 退出=假

const char kOnTopBox[] = "选择框2";
const char kMenuBox[] = "选择框3";
const char kExitBox[] = "选择框4";

std::string SettingsFile(const std::string& runDirectory) { return runDirectory + kFileTail; }

std::string CommandFor(const std::string& runDirectory) {
  return "\"" + runDirectory + "\\Talvenor.exe\" \"%1\"";
}

std::string InstallLine(const std::string& runDirectory) {
  return "reg write HKCR Folder\\shell\\Talvenor\\command\\ = " + CommandFor(runDirectory);
}

const Log kRemoveLines = {
    "reg delete HKCU Software\\Classes\\Folder\\shell\\Talvenor\\command",
    "reg delete HKCU Software\\Classes\\Folder\\shell\\Talvenor",
    "reg delete HKCR Folder\\shell\\Talvenor\\command",
    "reg delete HKCR Folder\\shell\\Talvenor",
};

Log Concat(std::initializer_list<Log> parts) {
  Log out;
  for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

// An old, fixed write time: a rewrite of the file, even with equal bytes,
// moves it.
void AgeFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  SYSTEMTIME old = {2001, 2, 0, 3, 4, 5, 6, 0};
  FILETIME time;
  SystemTimeToFileTime(&old, &time);
  EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &time));
  CloseHandle(file);
}

ULONGLONG WriteTime(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data;
  if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (ULONGLONG(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

bool HasIniWrite(const Log& log) {
  for (const auto& line : log) {
    if (line.rfind("ini write", 0) == 0) return true;
  }
  return false;
}

class SettingsTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearMenuEntry(); }
  void TearDown() override { ClearMenuEntry(); }
};

// ---- Without a settings file ----

TEST_F(SettingsTest, FirstStartStoresTheFormStatesAndInstallsTheVerb) {
  TempDir dir("-first");
  Harness h(dir.path());

  LoadSettings(h.ctx);

  EXPECT_EQ(BytesOf(SettingsFile(dir.path())), kFirstStartFile);
  EXPECT_EQ(MachineCommand(), WithZero(CommandFor(dir.path())));
  EXPECT_FALSE(h.surface.checked[kOnTopBox]);
  EXPECT_TRUE(h.surface.checked[kMenuBox]);
  EXPECT_FALSE(h.surface.checked[kExitBox]);
  EXPECT_FALSE(h.surface.topmost);
  EXPECT_EQ(h.log, (Log{"ini write [配置] 置前=假", InstallLine(dir.path()),
                        "ini write [配置] 右键菜单=真", "ini write [配置] 退出=假",
                        "topmost off"}));
}

TEST_F(SettingsTest, WithoutAFileTheBoxesAsTheyStandAreStoredAndNothingIsRemoved) {
  TempDir dir("-flipped");
  PlantStaleEntry();
  const std::string before = DumpTree(HKEY_CLASSES_ROOT, kVerbKey);
  Harness h(dir.path());
  h.surface.checked = {{kOnTopBox, true}, {kMenuBox, false}, {kExitBox, true}};

  LoadSettings(h.ctx);

  EXPECT_EQ(BytesOf(SettingsFile(dir.path())),
            "[配置]\r\n置前=真\r\n右键菜单=假\r\n退出=真\r\n");
  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey), before);
  EXPECT_TRUE(h.surface.topmost);
  EXPECT_EQ(h.log, (Log{"ini write [配置] 置前=真", "ini write [配置] 右键菜单=假",
                        "ini write [配置] 退出=真", "topmost on"}));
}

TEST_F(SettingsTest, AnUnwritableRunDirectoryTakesTheFirstStartPathEveryTime) {
  // Files cannot be created in /proc, not even by root.
  const std::string runDirectory = "Z:\\proc";
  ASSERT_FALSE(platform::RealProfile().Write("配置", "置前", "假", SettingsFile(runDirectory)));

  for (int start = 1; start <= 2; ++start) {
    SCOPED_TRACE("start " + std::to_string(start));
    ClearMenuEntry();
    Harness h(runDirectory);
    LoadSettings(h.ctx);
    EXPECT_FALSE(IsFile(SettingsFile(runDirectory)));
    EXPECT_EQ(MachineCommand(), WithZero(CommandFor(runDirectory)));
    EXPECT_FALSE(h.surface.checked[kOnTopBox]);
    EXPECT_TRUE(h.surface.checked[kMenuBox]);
    EXPECT_FALSE(h.surface.checked[kExitBox]);
    EXPECT_FALSE(h.surface.topmost);
    EXPECT_TRUE(HasIniWrite(h.log));
  }
}

// ---- With a settings file ----

struct Stored {
  std::string label;
  std::string file;
  bool onTop, menu, exit;
};

std::vector<Stored> StoredRows() {
  const char* const keys[] = {"置前", "右键菜单", "退出"};
  struct Value {
    const char* label;
    std::optional<std::string> text;  // nullopt: the key is missing
  } const values[] = {{"真", "真"},     {"假", "假"},     {"1", "1"},
                      {"true", "true"}, {"TRUE", "TRUE"}, {"是", "是"},
                      {"真真", "真真"}, {"empty", ""},    {"missing key", std::nullopt}};
  std::vector<Stored> rows;
  // One key holds the value under test, the other two the opposite of what
  // it should give, so a key read in place of another shows.
  for (int k = 0; k < 3; ++k) {
    for (const auto& value : values) {
      const bool on = value.text && *value.text == "真";
      std::string file = "[配置]\r\n";
      bool result[3];
      for (int other = 0; other < 3; ++other) {
        if (other == k) {
          if (value.text) file += std::string(keys[k]) + "=" + *value.text + "\r\n";
          result[other] = on;
        } else {
          file += std::string(keys[other]) + "=" + (on ? "假" : "真") + "\r\n";
          result[other] = !on;
        }
      }
      rows.push_back({std::string(keys[k]) + " " + value.label, file, result[0], result[1],
                      result[2]});
    }
  }
  rows.push_back({"empty file", "", false, false, false});
  rows.push_back({"missing section", "[其他]\r\n置前=真\r\n右键菜单=真\r\n退出=真\r\n", false,
                  false, false});
  rows.push_back({"hand-edited: comment, LF line ends, blanks around =",
                  "; 设置\n[配置]\n置前 = 真\n右键菜单 = 真\n退出 = 假\n", true, true, false});
  return rows;
}

TEST_F(SettingsTest, StoredValuesDecideTheOptionsAndAreNeverWritten) {
  for (const auto& row : StoredRows()) {
    SCOPED_TRACE(row.label);
    ClearMenuEntry();
    PlantStaleEntry();
    TempDir dir("-stored");
    const std::string path = SettingsFile(dir.path());
    WriteBytes(path, row.file);
    AgeFile(path);
    const ULONGLONG written = WriteTime(path);
    Harness h(dir.path());

    LoadSettings(h.ctx);

    EXPECT_EQ(h.surface.checked[kOnTopBox], row.onTop);
    EXPECT_EQ(h.surface.checked[kMenuBox], row.menu);
    EXPECT_EQ(h.surface.checked[kExitBox], row.exit);
    EXPECT_EQ(h.surface.topmost, row.onTop);
    if (row.menu) {
      EXPECT_EQ(MachineCommand(), WithZero(CommandFor(dir.path())));
    } else {
      EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
    }
    EXPECT_EQ(BytesOf(path), row.file);
    EXPECT_EQ(WriteTime(path), written);
    EXPECT_FALSE(HasIniWrite(h.log));
  }
}

TEST_F(SettingsTest, StoredOptionsAreAppliedInTheirOrder) {
  TempDir dir("-order");
  WriteBytes(SettingsFile(dir.path()), "[配置]\r\n置前=真\r\n右键菜单=假\r\n退出=真\r\n");
  Harness h(dir.path());

  LoadSettings(h.ctx);

  EXPECT_EQ(h.log, Concat({{"ini read [配置] 置前", "check 选择框2 on", "topmost on",
                            "ini read [配置] 右键菜单", "check 选择框3 off"},
                           kRemoveLines,
                           {"ini read [配置] 退出", "check 选择框4 on", "topmost on"}}));
}

TEST_F(SettingsTest, ADirectoryNamedLikeTheFileCountsAsAFileWithNothingOn) {
  TempDir dir("-directory");
  const std::string path = SettingsFile(dir.path());
  ASSERT_TRUE(CreateDirectoryA(path.c_str(), nullptr));
  PlantStaleEntry();
  Harness h(dir.path());
  h.surface.checked = {{kOnTopBox, true}, {kMenuBox, true}, {kExitBox, true}};

  LoadSettings(h.ctx);

  EXPECT_FALSE(h.surface.checked[kOnTopBox]);
  EXPECT_FALSE(h.surface.checked[kMenuBox]);
  EXPECT_FALSE(h.surface.checked[kExitBox]);
  EXPECT_FALSE(h.surface.topmost);
  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
  EXPECT_FALSE(HasIniWrite(h.log));
  EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_DIRECTORY);
}

TEST_F(SettingsTest, AChineseRunDirectoryHoldsItsOwnFile) {
  TempDir parent("-中文");
  const std::string runDirectory = parent.path() + "\\加密工具";
  ASSERT_TRUE(CreateDirectoryA(runDirectory.c_str(), nullptr));
  Harness first(runDirectory);
  LoadSettings(first.ctx);
  EXPECT_EQ(BytesOf(SettingsFile(runDirectory)), kFirstStartFile);
  EXPECT_EQ(MachineCommand(), WithZero(CommandFor(runDirectory)));

  // A second start reads what the first one stored.
  Harness second(runDirectory);
  second.surface.checked[kMenuBox] = false;
  LoadSettings(second.ctx);
  EXPECT_TRUE(second.surface.checked[kMenuBox]);
  EXPECT_FALSE(HasIniWrite(second.log));
}

// ---- Clicks ----

struct Click {
  const char* label;
  const char* box;
  bool nowChecked;
  void (*handler)(Context&);
  std::optional<std::string> fileBefore;  // nullopt: no settings file
  bool entryBefore;
  std::string fileAfter;
  bool entryAfter;
  std::vector<std::string> log;  // "$install" and "$remove" stand for the registry steps
};

TEST_F(SettingsTest, EachClickAppliesAndStoresItsOptionInOrder) {
  const std::string onTopFile = "[配置]\r\n置前=真\r\n右键菜单=真\r\n退出=假\r\n";
  const std::string noMenuFile = "[配置]\r\n置前=假\r\n右键菜单=假\r\n退出=假\r\n";
  const std::string exitFile = "[配置]\r\n置前=假\r\n右键菜单=真\r\n退出=真\r\n";
  const Click clicks[] = {
      {"keep on top checked: topmost first", kOnTopBox, true, OnKeepOnTopClicked,
       kFirstStartFile, true, onTopFile, true, {"topmost on", "ini write [配置] 置前=真"}},
      {"keep on top unchecked: stored first", kOnTopBox, false, OnKeepOnTopClicked, onTopFile,
       true, kFirstStartFile, true, {"ini write [配置] 置前=假", "topmost off"}},
      {"menu checked: installed first", kMenuBox, true, OnMenuOptionClicked, noMenuFile, false,
       kFirstStartFile, true, {"$install", "ini write [配置] 右键菜单=真"}},
      {"menu unchecked: stored first", kMenuBox, false, OnMenuOptionClicked, kFirstStartFile,
       true, noMenuFile, false, {"ini write [配置] 右键菜单=假", "$remove"}},
      {"exit checked", kExitBox, true, OnExitOptionClicked, kFirstStartFile, true, exitFile, true,
       {"ini write [配置] 退出=真"}},
      {"exit unchecked", kExitBox, false, OnExitOptionClicked, exitFile, true, kFirstStartFile,
       true, {"ini write [配置] 退出=假"}},
      {"a click without a file creates it", kExitBox, true, OnExitOptionClicked, std::nullopt,
       false, "[配置]\r\n退出=真\r\n", false, {"ini write [配置] 退出=真"}},
      {"menu checked without a file", kMenuBox, true, OnMenuOptionClicked, std::nullopt, false,
       "[配置]\r\n右键菜单=真\r\n", true, {"$install", "ini write [配置] 右键菜单=真"}},
  };
  for (const auto& click : clicks) {
    SCOPED_TRACE(click.label);
    ClearMenuEntry();
    TempDir dir("-click");
    const std::string path = SettingsFile(dir.path());
    if (click.fileBefore) WriteBytes(path, *click.fileBefore);
    if (click.entryBefore) PlantStaleEntry();
    const std::string otherEntry = DumpTree(HKEY_CLASSES_ROOT, kVerbKey);
    Harness h(dir.path());
    h.surface.checked[click.box] = click.nowChecked;

    click.handler(h.ctx);

    EXPECT_EQ(BytesOf(path), click.fileAfter);
    if (!click.entryAfter) {
      EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
    } else if (std::string(click.box) == kMenuBox) {
      EXPECT_EQ(MachineCommand(), WithZero(CommandFor(dir.path())));
    } else {
      EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey), otherEntry);
    }
    Log expected;
    for (const auto& line : click.log) {
      if (line == "$install") {
        expected.push_back(InstallLine(dir.path()));
      } else if (line == "$remove") {
        expected.insert(expected.end(), kRemoveLines.begin(), kRemoveLines.end());
      } else {
        expected.push_back(line);
      }
    }
    EXPECT_EQ(h.log, expected);
    if (std::string(click.box) == kOnTopBox) {
      EXPECT_EQ(h.surface.topmost, click.nowChecked);
    }
  }
}

// ---- The topmost state of a real window ----

// The recorder's boxes over a plain top-level window whose topmost state is
// set as the main window sets its own.
class WindowSurface : public RecordingSurface {
 public:
  WindowSurface(Log& log, HWND window) : RecordingSurface(log), window_(window) {}
  void SetAlwaysOnTop(bool on) override {
    RecordingSurface::SetAlwaysOnTop(on);
    SetWindowPos(window_, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }

 private:
  HWND window_;
};

bool IsTopmost(HWND window) { return GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST; }

TEST_F(SettingsTest, TheKeepOnTopOptionMakesARealWindowTopmost) {
  WNDCLASSA windowClass = {};
  windowClass.lpfnWndProc = DefWindowProcA;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = "TalvenorSettingsTest";
  RegisterClassA(&windowClass);
  // Created hidden: the start-up sequence runs before the window is shown.
  HWND window = CreateWindowExA(0, windowClass.lpszClassName, "settings", WS_OVERLAPPEDWINDOW,
                                100, 100, 370, 227, nullptr, nullptr, windowClass.hInstance,
                                nullptr);
  ASSERT_NE(window, nullptr);
  ASSERT_FALSE(IsTopmost(window));

  TempDir dir("-window");
  WriteBytes(SettingsFile(dir.path()), "[配置]\r\n置前=真\r\n右键菜单=假\r\n退出=假\r\n");
  Log log;
  WindowSurface surface(log, window);
  SilentInteraction interaction;
  RecordingProfile profile(log);
  RecordingRegistry registry(log);
  Context ctx{surface, interaction, platform::RealFiles(),
              profile, registry, Program{dir.path(), "Talvenor.exe"}};

  LoadSettings(ctx);
  EXPECT_TRUE(IsTopmost(window));
  ShowWindow(window, SW_SHOW);
  EXPECT_TRUE(IsTopmost(window));

  surface.checked[kOnTopBox] = false;
  OnKeepOnTopClicked(ctx);
  EXPECT_FALSE(IsTopmost(window));

  surface.checked[kOnTopBox] = true;
  OnKeepOnTopClicked(ctx);
  EXPECT_TRUE(IsTopmost(window));

  // Without a file the unchecked box takes the window out of the top band.
  TempDir fresh("-window-fresh");
  ctx.program.runDirectory = fresh.path();
  surface.checked[kOnTopBox] = false;
  LoadSettings(ctx);
  EXPECT_FALSE(IsTopmost(window));

  DestroyWindow(window);
}

}  // namespace
}  // namespace settings_test
