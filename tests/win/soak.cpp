// The soak run: hundreds of lock, change-password and unlock cycles over
// randomly made folder trees (ASCII and Chinese names, nested folders, empty
// and large files), through the real main window as a user works it: the
// folder dropped on the window, passwords typed into the boxes, the buttons
// clicked, now and then a wrong password. After every step the whole tree is
// compared with what it must be: nothing lost, added or left behind, and
// mm.dat there exactly while the folder is locked.
//   TALVENOR_SOAK_SEED, TALVENOR_SOAK_CYCLES override the fixed seed and count.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "lock_fixture.h"
#include "platform/window.h"
#include "tree_hash.h"

namespace locktest {
namespace {

constexpr unsigned kDefaultSeed = 20240611;
constexpr int kDefaultCycles = 300;

unsigned EnvNumber(const char* name, unsigned fallback) {
  const char* v = std::getenv(name);
  return v && *v ? static_cast<unsigned>(std::strtoul(v, nullptr, 10)) : fallback;
}

// Names as people give them; a running number keeps them apart, since Wine
// compares names without regard to case. Folder names that the window is
// handed carry no dot: a dot anywhere sends a path to the unlock tab.
const char* const kFolderNames[] = {"私人资料", "照片", "新建文件夹", "工作 文档", "docs",
                                    "My Files", "backup_2024", "音乐", "财务报表", "x-y z"};
const char* const kFileNames[] = {"readme.txt", "说明.txt", "data.bin", "报告 二.docx",
                                  "a",          "Notes.MD", "照片.jpg", "mm.dat",
                                  "空",         "x.y.z",    "配置文件.ini", "long name with blanks.log"};

class Soak : public ::testing::Test {
 protected:
  TempRoot root;
  RecordingInteraction seam;
  NullProfile profile;
  NullRegistry registry;
  app::MainWindow main{Program{"C:\\t", "Talvenor.exe"},
                       app::Services{seam, platform::RealFiles(), profile, registry}};
  std::mt19937 rng;
  int names = 0;
  uint64_t bytesWritten = 0;

  void SetUp() override {
    ASSERT_TRUE(main.Load({}, true));
    SetForegroundWindow(static_cast<HWND>(ui().WindowHandle(nullptr)));
    platform::PumpMessages();
  }
  void TearDown() override {
    if (main.window().Alive()) main.window().Destroy();
    platform::PumpMessages();
  }

  ui::Surface& ui() { return main.window(); }
  HWND Box(const char* control) { return static_cast<HWND>(ui().WindowHandle(control)); }

  int Random(int from, int to) { return std::uniform_int_distribution<int>(from, to)(rng); }
  bool Chance(int percent) { return Random(1, 100) <= percent; }

  // ---- trees ----

  std::string Unique(const char* base) { return std::string(base) + "_" + std::to_string(++names); }

  std::string RandomBytes(size_t n) {
    std::string s(n, '\0');
    for (char& c : s) c = static_cast<char>(Random(0, 255));
    return s;
  }

  void AddFile(const std::string& dir, bool top) {
    std::string name = Unique(kFileNames[Random(0, std::size(kFileNames) - 1)]);
    // A file that is exactly mm.dat deep inside must survive every step;
    // at the top it is the folder's password file and not ours to make.
    if (!top && Chance(5)) name = "mm.dat";
    size_t size = 0;
    const int kind = Random(1, 100);
    if (kind > 25) size = Random(1, 2000);
    if (kind > 95) size = Random(64 << 10, 1 << 20);
    WriteBytes(dir + "\\" + name, RandomBytes(size));
    bytesWritten += size;
  }

  void Fill(const std::string& dir, int depth) {
    const int files = Random(0, 6);
    for (int i = 0; i < files; ++i) AddFile(dir, depth == 0);
    if (depth >= 3) return;
    const int folders = Random(0, depth == 0 ? 4 : 2);
    for (int i = 0; i < folders; ++i) {
      const std::string sub = dir + "\\" + Unique(kFolderNames[Random(0, std::size(kFolderNames) - 1)]);
      MakeDir(sub);
      Fill(sub, depth + 1);
    }
  }

  std::string NewTree() {
    const std::string folder =
        root.path() + "\\" + Unique(kFolderNames[Random(0, std::size(kFolderNames) - 1)]);
    MakeDir(folder);
    Fill(folder, 0);
    return folder;
  }

  // Between cycles the user works in the unlocked folder: a file more, a
  // file less, a file rewritten.
  void Touch(const std::string& folder) {
    const TreeManifest m = Manifest(folder);
    std::vector<std::string> files;
    for (const auto& [name, e] : m) {
      if (!e.dir) files.push_back(name);
    }
    const int what = Random(1, 3);
    if (what == 1 || files.empty()) {
      AddFile(folder, true);
    } else if (what == 2) {
      DeleteFileW(Exact(folder + "\\" + files[Random(0, files.size() - 1)]).c_str());
    } else {
      WriteBytes(folder + "\\" + files[Random(0, files.size() - 1)], RandomBytes(Random(0, 300)));
    }
  }

  // ---- the user ----

  std::string NewPassword() {
    std::string p;
    const int n = Random(1, 12);
    for (int i = 0; i < n; ++i) {
      if (Chance(10)) {
        p += Chance(50) ? "密" : "码";
      } else {
        p += static_cast<char>(Random(0x20, 0x7E));
      }
    }
    return p;
  }

  // Keys into the box, byte by byte as an ANSI window receives them; the
  // box must then hold exactly what was typed.
  void Type(const char* control, const std::string& text) {
    ui().SetText(control, "");
    SetFocus(Box(control));
    for (unsigned char c : text) SendMessageA(Box(control), WM_CHAR, c, 1);
    ASSERT_EQ(ui().Text(control), text) << "typing into " << control;
  }

  void ExpectOnlyMessage(const char* text) {
    ASSERT_EQ(seam.messages.size(), 1u);
    EXPECT_EQ(seam.messages[0].text, text);
    seam.messages.clear();
  }
  void ExpectNoMessage() {
    ASSERT_TRUE(seam.messages.empty()) << seam.messages[0].text;
  }

  void ExpectTree(const TreeManifest& expected) {
    const TreeManifest now = Manifest(root.path());
    ASSERT_EQ(TreeHash(now), TreeHash(expected)) << TreeDifference(expected, now);
  }
};

// The manifest of the parent once `name` is locked under `password`.
TreeManifest LockedForm(const TreeManifest& unlocked, const std::string& name,
                        const std::string& password) {
  TreeManifest out;
  const std::string from = name + "\\";
  for (const auto& [path, e] : unlocked) {
    out[path.compare(0, from.size(), from) == 0 ? name + ".\\" + path.substr(from.size()) : path] = e;
  }
  TreeEntry file;
  file.size = password.size();
  file.hash = BytesHash(password);
  out[name + ".\\mm.dat"] = file;
  return out;
}

TEST_F(Soak, LockChangeUnlockCycles) {
  const unsigned seed = EnvNumber("TALVENOR_SOAK_SEED", kDefaultSeed);
  const int cycles = static_cast<int>(EnvNumber("TALVENOR_SOAK_CYCLES", kDefaultCycles));
  rng.seed(seed);
  std::printf("soak: seed %u, %d cycles\n", seed, cycles);
  const auto start = std::chrono::steady_clock::now();

  // A folder beside the one worked on, which no step may touch.
  MakeDir(root.path() + "\\旁观者");
  Fill(root.path() + "\\旁观者", 1);

  int changes = 0, wrong = 0, trees = 0;
  std::string folder;
  for (int cycle = 0; cycle < cycles; ++cycle) {
    SCOPED_TRACE("cycle " + std::to_string(cycle) + " of seed " + std::to_string(seed));
    if (folder.empty() || Chance(30)) {
      if (!folder.empty()) RemoveTree(folder);
      folder = NewTree();
      ++trees;
    } else {
      Touch(folder);
    }
    const std::string name = folder.substr(root.path().size() + 1);
    const std::string locked = folder + ".";
    const TreeManifest unlocked = Manifest(root.path());

    // Lock: dropped on the window, password typed twice, the button.
    std::string password = NewPassword();
    RoutePath(main.context(), folder);
    ASSERT_NO_FATAL_FAILURE(ExpectNoMessage());
    ASSERT_EQ(ui().CurrentTab(), 1);
    ASSERT_NO_FATAL_FAILURE(Type("加密_密码", password));
    ASSERT_NO_FATAL_FAILURE(Type("加密_密码2", password));
    main.Click("按钮3");
    ASSERT_NO_FATAL_FAILURE(ExpectNoMessage());
    ASSERT_EQ(ui().Text("加密_内容"), "已经为路径  " + folder + "  加密成功");
    ASSERT_NO_FATAL_FAILURE(ExpectTree(LockedForm(unlocked, name, password)));

    // Change the password, through the tab's browse button, 0 to 2 times.
    for (int n = Random(0, 2); n > 0; --n) {
      ui().SetCurrentTab(3);
      seam.folderAnswers = {locked};
      main.Click("改密_按钮");
      ASSERT_EQ(ui().Text("改密_路径"), locked);
      std::string next;
      do next = NewPassword(); while (next == password);
      if (Chance(25)) {
        ASSERT_NO_FATAL_FAILURE(Type("改密_1", password + "x"));
        ASSERT_NO_FATAL_FAILURE(Type("改密_2", next));
        main.Click("按钮2");
        ASSERT_NO_FATAL_FAILURE(ExpectOnlyMessage("可能密码不正确,或新密码与旧密码相同"));
        ASSERT_NO_FATAL_FAILURE(ExpectTree(LockedForm(unlocked, name, password)));
        ++wrong;
      }
      ASSERT_NO_FATAL_FAILURE(Type("改密_1", password));
      ASSERT_NO_FATAL_FAILURE(Type("改密_2", next));
      main.Click("按钮2");
      ASSERT_NO_FATAL_FAILURE(ExpectNoMessage());
      ASSERT_EQ(ui().Text("改密_内容1"), "已经为 " + locked + " 文件夹更改密码成功");
      password = next;
      ASSERT_NO_FATAL_FAILURE(ExpectTree(LockedForm(unlocked, name, password)));
        ++changes;
    }

    // Unlock: the locked path dropped, perhaps a wrong try first.
    RoutePath(main.context(), locked);
    ASSERT_NO_FATAL_FAILURE(ExpectNoMessage());
    ASSERT_EQ(ui().CurrentTab(), 2);
    if (Chance(25)) {
      // Whole characters only: nobody types half of one.
      ASSERT_NO_FATAL_FAILURE(Type("解密_密码", Chance(50) ? "" : password + "x"));
      main.Click("按钮1");
      ASSERT_NO_FATAL_FAILURE(ExpectOnlyMessage("请检查您输入的密码是否正确"));
      ASSERT_NO_FATAL_FAILURE(ExpectTree(LockedForm(unlocked, name, password)));
      ++wrong;
    }
    ASSERT_NO_FATAL_FAILURE(Type("解密_密码", password));
    main.Click("按钮1");
    ASSERT_NO_FATAL_FAILURE(ExpectNoMessage());
    ASSERT_EQ(ui().Text("解密_内容"), "已经为路径 " + locked + " 解密成功");
    ASSERT_NO_FATAL_FAILURE(ExpectTree(unlocked));
  }

  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("soak: %d cycles over %d trees, %d password changes, %d wrong passwords, "
              "%.1f MB written, %.1f s\n",
              cycles, trees, changes, wrong, bytesWritten / 1e6, seconds);
}

}  // namespace
}  // namespace locktest
