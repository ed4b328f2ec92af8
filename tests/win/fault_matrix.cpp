// The fault matrix: every way a lock, an unlock or a password change can
// meet a fault, driven through the real main window as a user drives it.
// Each fault is provoked for real where Wine lets it happen (a name that is
// taken, a read-only or full file system, a file another process holds, a
// path too long), and through the file layer where it cannot (a folder in
// use, a write or a replace that fails half-way). Every row checks what the
// user is shown and that the folder tree is the same, name for name and
// byte for byte, before and after.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "app/main_window.h"
#include "lock_fixture.h"
#include "platform/window.h"
#include "tree_hash.h"

namespace locktest {
namespace {

enum class Op { kLock, kUnlock, kChange };

// Where a row's folders live, and what the path box is given.
struct Scene {
  std::unique_ptr<TempRoot> temp;
  std::string root;      // the tree that is hashed, through a writable view
  std::string view;      // the same folder as the operation reaches it
  std::string path;      // the folder handed to the window, under `view`
  std::string hold;      // a file another process holds open during the click
  std::string fillDisk;  // the root of a file system to fill before the click
  std::string skip;      // why this row cannot be provoked here
};

std::string Env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

// ---- where the folders go ----------------------------------------------------

void OnTemp(Scene& s) {
  s.temp = std::make_unique<TempRoot>();
  s.root = s.view = s.temp->path();
}

// Built through the writable source, reached through the read-only mount.
void OnReadOnlyMount(Scene& s, const std::string& name) {
  const std::string src = Env("TALVENOR_READ_ONLY_SRC"), ro = Env("TALVENOR_READ_ONLY");
  if (ro.empty()) {
    s.skip = "no read-only mount here (needs root); see fault_mounts.sh";
    return;
  }
  s.root = src + "\\" + name;
  s.view = ro + "\\" + name;
  RemoveTree(s.root);
  MakeDir(s.root);
}

void OnSmallDisk(Scene& s, const std::string& name) {
  const std::string disk = Env("TALVENOR_SMALL_DISK");
  if (disk.empty()) {
    s.skip = "no tmpfs here (needs root); the short-write rows cover this through the file layer";
    return;
  }
  s.root = s.view = disk + "\\" + name;
  s.fillDisk = disk;
  RemoveTree(s.root);
  MakeDir(s.root);
}

// ---- what a row's folder holds ---------------------------------------------------

void Content(const std::string& folder) {
  WriteBytes(folder + "\\readme.txt", "hello\r\n");
  MakeDir(folder + "\\照片");
  WriteBytes(folder + "\\照片\\data.bin", std::string("\x00\x01\xFF\x1A\r\n", 6));
  WriteBytes(folder + "\\照片\\空.txt", "");
}

// An unlocked folder `name` with content; the path box gets its path.
void Plain(Scene& s, const std::string& name) {
  MakeDir(s.root + "\\" + name);
  Content(s.root + "\\" + name);
  s.path = s.view + "\\" + name;
}

// A folder as a lock leaves it: "name." on disk holding mm.dat; the path
// box gets its locked path, as the drop target reports it.
void Locked(Scene& s, const std::string& name, const std::string& password) {
  const std::string onDisk = s.root + "\\" + name + ".";
  MakeDir(onDisk);
  Content(onDisk);
  WriteBytes(onDisk + "\\mm.dat", password);
  s.path = s.view + "\\" + name + ".";
}

// A name so long that P + "..\mm.dat" is one character over MAX_PATH - 1.
std::string TooLongName(const Scene& s) { return std::string(251 - s.view.size() - 1, 'n'); }

// Fills the file system to its last byte: any new file then finds no room.
std::string FillUp(const std::string& disk) {
  const std::string filler = disk + "\\filler";
  HANDLE h = CreateFileW(Exact(filler).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  static char block[1 << 16];
  for (DWORD size : {DWORD{1} << 16, DWORD{4096}, DWORD{1}}) {
    DWORD wrote = 0;
    while (WriteFile(h, block, size, &wrote, nullptr) && wrote == size) {
    }
  }
  CloseHandle(h);
  return filler;
}

// ---- the rows ------------------------------------------------------------------

// What the user is shown.
struct Seen {
  const char* message;
  const char* title;
  ui::Icon icon;
  bool failurePrompt;  // the prompt box reports the failure; else it keeps the routing's text
};

const Seen kLockFailed{"加密失败,原路径可能不存在", "提示", ui::Icon::Warning, true};
const Seen kLockNotWritten{"加密失败,无法写入密码文件", "提示", ui::Icon::Warning, true};
const Seen kLockLeftLocked{"加密失败,无法写入密码文件,且文件夹未能恢复原名,可用空密码解密",
                           "提示", ui::Icon::Warning, true};
const Seen kLockOwnFile{"文件夹内已有文件 mm.dat,为免覆盖它,未进行加密", "提示",
                        ui::Icon::Warning, false};
const Seen kUnlockFailed{"解密失败,文件夹可能正在使用", "提示", ui::Icon::Warning, true};
const Seen kWrongPassword{"请检查您输入的密码是否正确", "提示..", ui::Icon::Information, false};
const Seen kNotLockedUnlock{"请重新选择解密文件夹路径", "提示..", ui::Icon::Information, false};
const Seen kChangeNotWritten{"改密失败,无法写入密码文件", "提示", ui::Icon::Warning, true};
const Seen kWrongOld{"可能密码不正确,或新密码与旧密码相同", "提示..", ui::Icon::Information,
                     false};
const Seen kNotLockedChange{"请重新选择改密文件夹路径", "提示..", ui::Icon::Information, false};

using TreeCheck = std::function<void(const TreeManifest& before, const TreeManifest& after)>;

struct Row {
  const char* name;
  Op op;
  std::function<void(Scene&)> arrange;
  // Armed after the folder reached the window and before the click.
  std::function<void(FaultyFiles&)> fault;
  // The Windows error of the first real call that fails in the click: 0 when
  // none does (a refusal, or a fault made by the file layer).
  uint32_t error;
  const char* password;     // lock: typed twice; unlock: typed; change: the old one
  const char* newPassword;  // change only
  Seen seen;
  TreeCheck treeAfter = nullptr;  // how the tree may differ; nullptr: not at all
};

void Nothing(FaultyFiles&) {}

const Row kRows[] = {
    // ---- lock ----
    {"LockTargetNameExists", Op::kLock,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, "private", "other");
       Plain(s, "private");
     },
     Nothing, ERROR_ALREADY_EXISTS, "abc", "", kLockFailed},
    {"LockOnReadOnlyFileSystem", Op::kLock,
     [](Scene& s) {
       OnReadOnlyMount(s, "lockro");
       if (s.skip.empty()) Plain(s, "private");
     },
     Nothing, ERROR_ACCESS_DENIED, "abc", "", kLockFailed},
    {"LockPasswordFileHeldOpen", Op::kLock,
     [](Scene& s) {
       // An empty mm.dat of its own, which the lock may replace, but another
       // program holds it; Wine still renames the folder, the write fails.
       OnTemp(s);
       Plain(s, "private");
       WriteBytes(s.root + "\\private\\mm.dat", "");
       s.hold = s.root + "\\private\\mm.dat";
     },
     Nothing, ERROR_SHARING_VIOLATION, "abc", "", kLockNotWritten},
    {"LockOnFullDisk", Op::kLock,
     [](Scene& s) {
       OnSmallDisk(s, "lockfull");
       if (s.skip.empty()) Plain(s, "private");
     },
     Nothing, ERROR_DISK_FULL, "abc", "", kLockNotWritten},
    {"LockPathTooLong", Op::kLock,
     [](Scene& s) {
       OnTemp(s);
       Plain(s, TooLongName(s));
       EXPECT_EQ(s.path.size() + 9, 260u);
     },
     Nothing, 0, "abc", "", kLockFailed},
    {"LockOwnPasswordFileKept", Op::kLock,
     [](Scene& s) {
       // Its first line is empty, so the routing sends it to the lock tab.
       OnTemp(s);
       Plain(s, "private");
       WriteBytes(s.root + "\\private\\mm.dat", "\r\nsomeone's notes");
     },
     Nothing, 0, "abc", "", kLockOwnFile},
    {"LockShortWrite", Op::kLock,
     [](Scene& s) {
       OnTemp(s);
       Plain(s, "private");
     },
     [](FaultyFiles& f) { f.Fail(FaultyFiles::kWriteAll); }, 0, "abcdef", "", kLockNotWritten},
    {"LockShortWriteThenRenameBackFails", Op::kLock,
     [](Scene& s) {
       OnTemp(s);
       Plain(s, "private");
     },
     [](FaultyFiles& f) {
       f.Fail(FaultyFiles::kWriteAll);
       f.Fail(FaultyFiles::kMove, 2);
     },
     0, "abcdef", "", kLockLeftLocked,
     // The one row that cannot keep the tree: the folder stays locked, with
     // no password file, as the message says.
     [](const TreeManifest& before, const TreeManifest& after) {
       TreeManifest expected;
       for (const auto& [name, e] : before) expected["private.\\" + name.substr(8)] = e;
       EXPECT_EQ(TreeDifference(expected, after), "");
     }},

    // ---- unlock ----
    {"UnlockRestoredNameExists", Op::kUnlock,
     [](Scene& s) {
       // Another folder took the name meanwhile; its own mm.dat must survive.
       OnTemp(s);
       Locked(s, "private", "abc");
       MakeDir(s.root + "\\private");
       WriteBytes(s.root + "\\private\\mm.dat", "another folder's file");
     },
     Nothing, ERROR_ALREADY_EXISTS, "abc", "", kUnlockFailed},
    {"UnlockOnReadOnlyFileSystem", Op::kUnlock,
     [](Scene& s) {
       OnReadOnlyMount(s, "unlockro");
       if (s.skip.empty()) Locked(s, "private", "abc");
     },
     Nothing, ERROR_ACCESS_DENIED, "abc", "", kUnlockFailed},
    {"UnlockPasswordFileHeldOpen", Op::kUnlock,
     [](Scene& s) {
       // Unreadable, the stored password counts as empty: the right one is refused.
       OnTemp(s);
       Locked(s, "private", "abc");
       s.hold = s.root + "\\private.\\mm.dat";
     },
     Nothing, ERROR_SHARING_VIOLATION, "abc", "", kWrongPassword},
    {"UnlockPathTooLong", Op::kUnlock,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, TooLongName(s), "abc");
     },
     Nothing, 0, "abc", "", kNotLockedUnlock},
    {"UnlockFolderInUse", Op::kUnlock,
     [](Scene& s) {
       // Windows refuses to rename a folder with a file open inside; Wine does not.
       OnTemp(s);
       Locked(s, "private", "abc");
     },
     [](FaultyFiles& f) { f.Fail(FaultyFiles::kMove); }, 0, "abc", "", kUnlockFailed},

    // ---- change password ----
    {"ChangeOnReadOnlyFileSystem", Op::kChange,
     [](Scene& s) {
       OnReadOnlyMount(s, "changero");
       if (s.skip.empty()) Locked(s, "private", "abc");
     },
     Nothing, ERROR_ACCESS_DENIED, "abc", "xyz", kChangeNotWritten},
    {"ChangeOnFullDisk", Op::kChange,
     [](Scene& s) {
       OnSmallDisk(s, "changefull");
       if (s.skip.empty()) Locked(s, "private", "abc");
     },
     Nothing, ERROR_DISK_FULL, "abc", "xyz", kChangeNotWritten},
    {"ChangePasswordFileHeldOpen", Op::kChange,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, "private", "abc");
       s.hold = s.root + "\\private.\\mm.dat";
     },
     Nothing, ERROR_SHARING_VIOLATION, "abc", "xyz", kWrongOld},
    {"ChangePathTooLong", Op::kChange,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, TooLongName(s), "abc");
     },
     Nothing, 0, "abc", "xyz", kNotLockedChange},
    {"ChangeShortWrite", Op::kChange,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, "private", "abc");
     },
     [](FaultyFiles& f) { f.Fail(FaultyFiles::kWriteAll); }, 0, "abc", "xyzxyz",
     kChangeNotWritten},
    {"ChangeReplaceFails", Op::kChange,
     [](Scene& s) {
       OnTemp(s);
       Locked(s, "private", "abc");
     },
     [](FaultyFiles& f) { f.Fail(FaultyFiles::kMoveReplace); }, 0, "abc", "xyz",
     kChangeNotWritten},
};

void PrintTo(const Row& row, std::ostream* os) { *os << row.name; }

// ---- the test --------------------------------------------------------------------

class FaultMatrix : public ::testing::TestWithParam<Row> {
 protected:
  RecordingInteraction seam;
  FaultyFiles files{platform::RealFiles()};
  NullProfile profile;
  NullRegistry registry;
  app::MainWindow main{Program{"C:\\t", "Talvenor.exe"},
                       app::Services{seam, files, profile, registry}};

  void SetUp() override {
    ASSERT_TRUE(main.Load({}, true));
    platform::PumpMessages();
  }
  void TearDown() override {
    if (main.window().Alive()) main.window().Destroy();
    platform::PumpMessages();
  }

  ui::Surface& ui() { return main.window(); }
};

struct OpControls {
  int tab;
  const char* path;
  const char* prompt;
  const char* button;
  const char* failed;  // the prompt's last words after a failure
};

OpControls ControlsOf(Op op) {
  switch (op) {
    case Op::kLock: return {1, "加密_路径", "加密_内容", "按钮3", "加密失败"};
    case Op::kUnlock: return {2, "解密_路径", "解密_内容", "按钮1", "解密失败"};
    case Op::kChange: break;
  }
  return {3, "改密_路径", "改密_内容1", "按钮2", "改密失败"};
}

TEST_P(FaultMatrix, UserIsToldAndTheTreeIsUnchanged) {
  const Row& row = GetParam();
  const OpControls c = ControlsOf(row.op);
  Scene scene;
  row.arrange(scene);
  if (!scene.skip.empty()) GTEST_SKIP() << scene.skip;
  ASSERT_FALSE(HasFailure());

  std::string filler;
  if (!scene.fillDisk.empty()) filler = FillUp(scene.fillDisk);
  const TreeManifest before = Manifest(scene.root);
  ASSERT_FALSE(before.empty());

  // Both options on: a success reported by mistake would open the folder
  // and end the program.
  ui().SetChecked("选择框1", true);
  ui().SetChecked("选择框4", true);
  {
    std::unique_ptr<HeldOpen> held;
    if (!scene.hold.empty()) held = std::make_unique<HeldOpen>(scene.hold);

    // The folder reaches the window as a drop would bring it, or, for the
    // change tab, through its browse button.
    if (row.op == Op::kChange) {
      ui().SetCurrentTab(3);
      seam.folderAnswers = {scene.path};
      main.Click("改密_按钮");
    } else {
      RoutePath(main.context(), scene.path);
    }
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text;
    ASSERT_EQ(ui().CurrentTab(), c.tab);
    ASSERT_EQ(ui().Text(c.path), scene.path);
    const std::string routedPrompt = ui().Text(c.prompt);

    switch (row.op) {
      case Op::kLock:
        ui().SetText("加密_密码", row.password);
        ui().SetText("加密_密码2", row.password);
        break;
      case Op::kUnlock:
        ui().SetText("解密_密码", row.password);
        break;
      case Op::kChange:
        ui().SetText("改密_1", row.password);
        ui().SetText("改密_2", row.newPassword);
        break;
    }
    files.Reset();
    row.fault(files);
    main.Click(c.button);
    const uint32_t error = files.errors.empty() ? 0 : files.errors.front();
    files.Reset();

    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, row.seen.message);
    EXPECT_EQ(seam.messages[0].title, row.seen.title);
    EXPECT_EQ(seam.messages[0].icon, row.seen.icon);
    EXPECT_EQ(ui().Text(c.prompt), row.seen.failurePrompt
                                       ? "路径  " + scene.path + "  " + c.failed
                                       : routedPrompt);
    EXPECT_EQ(ui().Text(c.path), scene.path) << "the path stays for another try";
    EXPECT_EQ(error, row.error) << "not the fault this row means to provoke";
  }
  EXPECT_TRUE(seam.opened.empty());
  EXPECT_TRUE(seam.pauses.empty());
  platform::PumpMessages();
  EXPECT_TRUE(main.window().Alive()) << "the program must not end after a failure";

  if (!filler.empty()) DeleteFileW(Exact(filler).c_str());
  const TreeManifest after = Manifest(scene.root);
  if (row.treeAfter) {
    row.treeAfter(before, after);
  } else {
    EXPECT_EQ(TreeHash(after), TreeHash(before)) << TreeDifference(before, after);
  }
  if (!scene.temp) RemoveTree(scene.root);
}

INSTANTIATE_TEST_SUITE_P(Rows, FaultMatrix, ::testing::ValuesIn(kRows),
                         [](const ::testing::TestParamInfo<Row>& row) {
                           return std::string(row.param.name);
                         });

}  // namespace
}  // namespace locktest
