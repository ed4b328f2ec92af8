// LockFolder end to end: boxes in, disk and boxes out.
#include "lock_fixture.h"

namespace locktest {
namespace {

class LockFolderTest : public LockTest {
 protected:
  // The lock tab as the routing leaves it, with the passwords typed.
  void Ready(const std::string& folder, const std::string& password,
             const std::string& confirmation) {
    RoutePath(ctx, folder);
    ui.texts["加密_密码"] = password;
    ui.texts["加密_密码2"] = confirmation;
  }

  // The lock failed: warning, failure text, password boxes emptied, disk as before.
  void ExpectFailure(const std::string& folder, const std::string& message,
                     const FakeSurface& before, const std::map<std::string, std::string>& disk) {
    ExpectMessage(message, "提示", ui::Icon::Warning);
    FakeSurface expected = before;
    expected.texts["加密_内容"] = "路径  " + folder + "  加密失败";
    expected.texts["加密_密码"] = "";
    expected.texts["加密_密码2"] = "";
    EXPECT_TRUE(ui == expected) << ui.texts["加密_内容"];
    EXPECT_EQ(Tree(root.path()), disk) << "the disk changed";
    EXPECT_TRUE(seam.pauses.empty());
  }
};

TEST_F(LockFolderTest, LocksTheFolderUnderItsNameWithADot) {
  const std::string p = MakeFolder("private");
  const auto content = Tree(p);
  Ready(p, "abc", "abc");
  LockFolder(ctx);

  ExpectNoMessage();
  EXPECT_EQ(files.log, (std::vector<std::string>{"Move " + p + " -> " + p + "..\\",
                                                 "WriteAll " + p + "..\\mm.dat"}));
  EXPECT_EQ(NamesIn(root.path()), std::vector<std::string>{"private."});
  EXPECT_EQ(ReadBytes(p + ".\\mm.dat"), "abc");
  auto locked = Tree(p + ".");
  locked.erase("mm.dat");
  EXPECT_EQ(locked, content) << "the content is not touched";

  // Explorer and the shell reach the folder by P or by P + ".": neither resolves.
  EXPECT_EQ(GetFileAttributesA(p.c_str()), INVALID_FILE_ATTRIBUTES);
  EXPECT_EQ(GetFileAttributesA((p + ".").c_str()), INVALID_FILE_ATTRIBUTES);
  WIN32_FIND_DATAA found;
  EXPECT_EQ(FindFirstFileA((p + ".\\*").c_str(), &found), INVALID_HANDLE_VALUE);

  EXPECT_EQ(ui.texts["加密_内容"], "已经为路径  " + p + "  加密成功");
  EXPECT_EQ(ui.texts["加密_密码"], "");
  EXPECT_EQ(ui.texts["加密_密码2"], "");
  EXPECT_EQ(ui.texts["加密_路径"], p);
  EXPECT_EQ(ui.focus, FakeSurface::kMainWindow);
  EXPECT_EQ(ui.closeRequests, 0);
  EXPECT_TRUE(seam.pauses.empty());
}

TEST_F(LockFolderTest, ExitOptionClosesAfterSuccessOnly) {
  ui.checks["选择框4"] = true;
  Ready(At("missing"), "abc", "abc");
  LockFolder(ctx);
  EXPECT_EQ(ui.closeRequests, 0) << "after a failure";
  EXPECT_TRUE(seam.pauses.empty());

  seam = RecordingInteraction();
  Ready(MakeFolder("private"), "abc", "abc");
  LockFolder(ctx);
  ExpectNoMessage();
  EXPECT_EQ(seam.pauses, std::vector<unsigned>{2500});
  EXPECT_EQ(ui.closeRequests, 1);
}

TEST_F(LockFolderTest, PasswordsMustMatchAndNotBeEmpty) {
  struct Row {
    const char* password;
    const char* confirmation;
  } rows[] = {{"abc", "abd"}, {"", ""}, {"abc", "ABC"}, {"abc", ""}, {"", "abc"}};
  const std::string p = MakeFolder("private");
  const auto disk = Tree(root.path());
  for (const Row& row : rows) {
    seam = RecordingInteraction();
    Ready(p, row.password, row.confirmation);
    const FakeSurface before = ui;
    LockFolder(ctx);
    ExpectMessage("请检查您输入的密码是否有误", "提示..", ui::Icon::Information);
    EXPECT_TRUE(ui == before) << row.password << "/" << row.confirmation;
    EXPECT_EQ(Tree(root.path()), disk);
  }
}

// Every way the rename can fail, provoked for real.
TEST_F(LockFolderTest, FailedRenameChangesNothingOnDisk) {
  std::string longName(252 - At("").size(), 'n');
  MakeFolder("private");
  MakeLocked("taken", "other");
  MakeFolder("taken");  // "taken." already exists beside it
  MakeFolder(longName);
  WriteBytes(At("notes"), "a file, not a folder");
  struct Row {
    const char* label;
    std::string folder;
  } rows[] = {
      {"empty path box", ""},
      {"names nothing", At("missing")},
      {"missing parent", At("gone\\private")},
      {"a locked path left in the lock tab", At("private") + "."},
      {"the locked name exists already", At("taken")},
      {"too long for its password file", At(longName)},
      {"a drive root", "C:\\"},
      {"a file", At("notes")},
  };
  ASSERT_EQ(At(longName).size(), 252u);
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    seam = RecordingInteraction();
    ui = FakeSurface();
    ui.texts["加密_路径"] = row.folder;
    ui.texts["加密_密码"] = ui.texts["加密_密码2"] = "abc";
    ui.focus = "加密_密码2";
    const FakeSurface before = ui;
    const auto disk = Tree(root.path());
    LockFolder(ctx);
    ExpectFailure(row.folder, "加密失败,原路径可能不存在", before, disk);
  }
}

TEST_F(LockFolderTest, LongestPathThatFitsLocksAndUnlocks) {
  // P + "..\mm.dat" is exactly MAX_PATH - 1 characters.
  const std::string p = MakeFolder(std::string(250 - At("").size(), 'n'));
  ASSERT_EQ(p.size(), 250u);
  Ready(p, "abc", "abc");
  LockFolder(ctx);
  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(p + ".\\mm.dat"), "abc");

  UnlockAsUser(p + ".", "abc");
  ExpectNoMessage();
  EXPECT_TRUE(IsDir(p));
  EXPECT_FALSE(IsFile(p + "\\mm.dat"));
}

TEST_F(LockFolderTest, ChineseNamesCountAsCharactersAgainstMaxPath) {
  // 300 bytes but only 175 characters, well within MAX_PATH.
  std::string name;
  while (At(name).size() < 300 - 10) name += "私";
  const std::string p = MakeFolder(name);
  Ready(p, "abc", "abc");
  LockFolder(ctx);
  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(p + ".\\mm.dat"), "abc");
}

TEST_F(LockFolderTest, FolderWithItsOwnPasswordFileIsLeftAlone) {
  // Its first line is empty, so the routing sends it here, not to unlock.
  const std::string p = MakeFolder("own");
  WriteBytes(p + "\\mm.dat", "\nsomeone's notes");
  const auto disk = Tree(root.path());
  Ready(p, "abc", "abc");
  ASSERT_EQ(ui.tab, 1);
  const FakeSurface before = ui;
  LockFolder(ctx);
  ExpectMessage("文件夹内已有文件 mm.dat,为免覆盖它,未进行加密", "提示", ui::Icon::Warning);
  EXPECT_TRUE(ui == before);
  EXPECT_EQ(Tree(root.path()), disk);
}

TEST_F(LockFolderTest, AnEmptyPasswordFileOfItsOwnIsReplaced) {
  const std::string p = MakeFolder("zero");
  WriteBytes(p + "\\mm.dat", "");
  Ready(p, "abc", "abc");
  LockFolder(ctx);
  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(p + ".\\mm.dat"), "abc");
}

// A lock whose password file cannot be written is undone: the folder must
// never stay locked with an empty password while success is shown.
TEST_F(LockFolderTest, UnwritablePasswordFileUndoesTheLock) {
  struct Row {
    const char* label;
    std::function<void(const std::string& folder)> arrange;
  } rows[] = {
      {"a folder named mm.dat inside", [](const std::string& p) { MakeDir(p + "\\mm.dat"); }},
      {"a short write", [this](const std::string&) { files.Fail(FaultyFiles::kWriteAll); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempRoot scratch;
    files.Reset();
    seam = RecordingInteraction();
    const std::string p = scratch.path() + "\\private";
    MakeDir(p);
    WriteBytes(p + "\\readme.txt", "hello");
    row.arrange(p);
    const auto disk = Tree(scratch.path());
    Ready(p, "abc", "abc");
    const FakeSurface before = ui;
    LockFolder(ctx);
    ExpectMessage("加密失败,无法写入密码文件", "提示", ui::Icon::Warning);
    EXPECT_EQ(Tree(scratch.path()), disk) << "folder back at its path, no partial mm.dat";
    EXPECT_EQ(ui.texts["加密_内容"], "路径  " + p + "  加密失败");
    EXPECT_EQ(ui.texts["加密_密码"], "");
    EXPECT_EQ(ui.focus, before.focus);
  }
}

TEST_F(LockFolderTest, PasswordFileHeldOpenElsewhereUndoesTheLock) {
  // Wine renames a folder with a file open inside; the write then meets the
  // other process's handle.
  const std::string p = MakeFolder("private");
  WriteBytes(p + "\\mm.dat", "");
  const auto disk = Tree(root.path());
  {
    HeldOpen held(p + "\\mm.dat");
    Ready(p, "abc", "abc");
    LockFolder(ctx);
  }
  ExpectMessage("加密失败,无法写入密码文件", "提示", ui::Icon::Warning);
  EXPECT_EQ(Tree(root.path()), disk);
}

TEST_F(LockFolderTest, WhenEvenTheUndoFailsTheMessageSaysSo) {
  const std::string p = MakeFolder("private");
  files.Fail(FaultyFiles::kWriteAll);
  files.Fail(FaultyFiles::kMove, 2);
  Ready(p, "abc", "abc");
  LockFolder(ctx);
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_NE(seam.messages[0].text.find("可用空密码解密"), std::string::npos);
  EXPECT_EQ(ui.texts["加密_内容"], "路径  " + p + "  加密失败");
  EXPECT_FALSE(IsFile(p + ".\\mm.dat")) << "what was written is removed";

  // As promised: the folder comes back with an empty password.
  seam = RecordingInteraction();
  UnlockAsUser(p + ".", "");
  ExpectNoMessage();
  EXPECT_TRUE(IsDir(p));
}

}  // namespace
}  // namespace locktest
