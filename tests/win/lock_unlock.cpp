// UnlockFolder end to end, and the round trip from lock to unlock.
#include "lock_fixture.h"

namespace locktest {
namespace {

class UnlockFolderTest : public LockTest {
 protected:
  void Ready(const std::string& path, const std::string& password) {
    RoutePath(ctx, path);
    ui.texts["解密_密码"] = password;
  }
};

TEST_F(UnlockFolderTest, LockThenUnlockBringsEverythingBack) {
  for (const char* name : {"private", "私人资料"}) {
    SCOPED_TRACE(name);
    seam = RecordingInteraction();
    const std::string p = MakeFolder(name);
    const auto disk = Tree(root.path());

    LockAsUser(p, "abc");
    ExpectNoMessage();
    EXPECT_TRUE(IsDir(p + ".")) << "on disk as the name with a dot";
    EXPECT_FALSE(IsDir(p));

    files.log.clear();
    Ready(p + ".", "abc");
    ASSERT_EQ(ui.tab, 2);
    ui.texts["加密_内容"] = "something";
    UnlockFolder(ctx);
    ExpectNoMessage();
    EXPECT_EQ(files.log, (std::vector<std::string>{"Move " + p + "..\\ -> " + p,
                                                   "Delete " + p + "\\mm.dat"}));
    EXPECT_EQ(Tree(root.path()), disk) << "names and contents byte for byte";
    EXPECT_EQ(ui.texts["解密_内容"], "已经为路径 " + p + ". 解密成功");
    for (const char* box : {"解密_密码", "解密_路径", "加密_路径", "加密_内容"}) {
      EXPECT_EQ(ui.texts[box], "") << box;
    }
    EXPECT_TRUE(seam.opened.empty());
    EXPECT_EQ(ui.closeRequests, 0);
    RemoveTree(p);
  }
}

TEST_F(UnlockFolderTest, OptionsOpenTheFolderAndExit) {
  ui.checks["选择框1"] = true;
  ui.checks["选择框4"] = true;
  const std::string l = MakeLocked("private", "abc");
  Ready(l, "abc");
  UnlockFolder(ctx);
  ExpectNoMessage();
  EXPECT_EQ(seam.opened, std::vector<std::string>{At("private")});
  EXPECT_EQ(seam.pauses, std::vector<unsigned>{2500});
  EXPECT_EQ(ui.closeRequests, 1);
}

TEST_F(UnlockFolderTest, WrongPasswordChangesNothing) {
  const std::string l = MakeLocked("private", "abc\r\nignored");
  const auto disk = Tree(root.path());
  for (const char* typed : {"ABC", "abd", "", "abc\r", "abcd"}) {
    seam = RecordingInteraction();
    Ready(l, typed);
    ui.checks["选择框4"] = true;
    const FakeSurface before = ui;
    UnlockFolder(ctx);
    ExpectMessage("请检查您输入的密码是否正确", "提示..", ui::Icon::Information);
    EXPECT_TRUE(ui == before) << typed;
    EXPECT_EQ(Tree(root.path()), disk) << typed;
  }
}

TEST_F(UnlockFolderTest, MissingOrEmptyPasswordFileUnlocksWithEmptyPassword) {
  const std::string empty = MakeLocked("empty", "");
  const std::string missing = MakeLocked("missing", "");
  ASSERT_TRUE(DeleteFileW(Exact(missing + "\\mm.dat").c_str()));
  for (const std::string& l : {empty, missing}) {
    seam = RecordingInteraction();
    Ready(l, "");
    UnlockFolder(ctx);
    ExpectNoMessage();
    EXPECT_TRUE(IsDir(l.substr(0, l.size() - 1))) << l;
  }
}

// Only a locked folder is renamed: anything else the routing may leave on
// the unlock tab is refused before a byte changes.
TEST_F(UnlockFolderTest, RefusesWhatIsNotALockedFolder) {
  MakeFolder("my.docs");
  MakeFolder("own");
  WriteBytes(At("own\\mm.dat"), "abc");
  MakeFolder("plain");
  struct Row {
    const char* label;
    std::string path;
    const char* typed;
  } rows[] = {
      {"empty path box", "", ""},
      {"empty path box, a password typed", "", "abc"},
      {"an ordinary folder with a dot", At("my.docs"), ""},
      {"an ordinary folder holding its own mm.dat", At("own"), "abc"},
      {"a dot but no locked folder", At("plain") + ".x.", ""},
      {"ends in a dot, nothing there", At("ghost."), ""},
      {"an unlocked folder with a dot appended", At("plain") + ".", ""},
      {"a drive root with a dot", "C:\\.", ""},
  };
  const auto disk = Tree(root.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    seam = RecordingInteraction();
    ui = FakeSurface();
    ui.texts["解密_路径"] = row.path;
    ui.texts["解密_密码"] = row.typed;
    ui.checks["选择框1"] = ui.checks["选择框4"] = true;
    const FakeSurface before = ui;
    files.log.clear();
    UnlockFolder(ctx);
    ExpectMessage("请重新选择解密文件夹路径", "提示..", ui::Icon::Information);
    EXPECT_TRUE(ui == before);
    EXPECT_TRUE(files.log.empty()) << files.log.front();
    EXPECT_EQ(Tree(root.path()), disk);
  }
}

// A failed rename back reports failure and deletes nothing: whatever stands
// at the restored path is someone else's.
TEST_F(UnlockFolderTest, FailedRenameBackReportsFailure) {
  struct Row {
    const char* label;
    bool folderInUse;  // through the seam: Wine renames folders with open files
  } rows[] = {{"the restored name exists already", false}, {"the folder is in use", true}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempRoot scratch;
    seam = RecordingInteraction();
    files.Reset();
    const std::string p = scratch.path() + "\\private";
    const std::string l = p + ".";
    MakeDir(l);
    WriteBytes(l + "\\mm.dat", "abc");
    if (row.folderInUse) {
      files.Fail(FaultyFiles::kMove);
    } else {
      MakeDir(p);
      WriteBytes(p + "\\mm.dat", "another folder's file");
    }
    const auto disk = Tree(scratch.path());
    Ready(l, "abc");
    ui.checks["选择框1"] = ui.checks["选择框4"] = true;
    FakeSurface expected = ui;
    UnlockFolder(ctx);

    ExpectMessage("解密失败,文件夹可能正在使用", "提示", ui::Icon::Warning);
    expected.texts["解密_内容"] = "路径  " + l + "  解密失败";
    EXPECT_TRUE(ui == expected) << ui.texts["解密_内容"];
    EXPECT_EQ(Tree(scratch.path()), disk);
    EXPECT_TRUE(seam.opened.empty());
    EXPECT_TRUE(seam.pauses.empty());
  }
}

}  // namespace
}  // namespace locktest
