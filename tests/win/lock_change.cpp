// ChangePassword end to end.
#include "lock_fixture.h"

namespace locktest {
namespace {

class ChangePasswordTest : public LockTest {
 protected:
  // The change tab's browse button keeps a path with a dot on its tab.
  void Ready(const std::string& path, const std::string& old, const std::string& fresh) {
    ui.tab = 3;
    ui.texts["改密_路径"] = path;
    ui.texts["改密_1"] = old;
    ui.texts["改密_2"] = fresh;
  }
  void ExpectRefused(const std::string& message, const FakeSurface& before,
                     const std::map<std::string, std::string>& disk) {
    ExpectMessage(message, "提示..", ui::Icon::Information);
    EXPECT_TRUE(ui == before);
    EXPECT_EQ(Tree(root.path()), disk);
  }
};

TEST_F(ChangePasswordTest, ReplacesThePasswordFile) {
  const std::string l = MakeLocked("private", "abc");
  const auto names = NamesIn(l);
  Ready(l, "abc", "xyz");
  ui.checks["选择框4"] = true;
  ChangePassword(ctx);

  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(l + "\\mm.dat"), "xyz");
  EXPECT_EQ(NamesIn(l), names) << "no temporary file left behind";
  EXPECT_EQ(NamesIn(root.path()), std::vector<std::string>{"private."}) << "still locked";
  EXPECT_EQ(ui.texts["改密_内容1"], "已经为 " + l + " 文件夹更改密码成功");
  EXPECT_EQ(ui.texts["改密_1"], "");
  EXPECT_EQ(ui.texts["改密_2"], "");
  EXPECT_EQ(ui.texts["改密_路径"], l);
  EXPECT_EQ(ui.tab, 3);
  EXPECT_EQ(ui.closeRequests, 0) << "the exit option is not for this";

  UnlockAsUser(l, "abc");
  ExpectMessage("请检查您输入的密码是否正确", "提示..", ui::Icon::Information);
  seam = RecordingInteraction();
  UnlockAsUser(l, "xyz");
  ExpectNoMessage();
  EXPECT_TRUE(IsDir(At("private")));
}

TEST_F(ChangePasswordTest, AnEmptyNewPasswordLeavesAnEmptyFile) {
  const std::string l = MakeLocked("private", "abc");
  Ready(l, "abc", "");
  ChangePassword(ctx);
  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(l + "\\mm.dat"), "");
  UnlockAsUser(l, "");
  EXPECT_TRUE(IsDir(At("private")));
}

TEST_F(ChangePasswordTest, WrongOldOrUnchangedPasswordIsRefused) {
  const std::string l = MakeLocked("private", "abc");
  struct Row {
    const char* old;
    const char* fresh;
  } rows[] = {{"abc", "abc"}, {"abd", "xyz"}, {"ABC", "xyz"}, {"", ""}, {"", "xyz"}};
  const auto disk = Tree(root.path());
  for (const Row& row : rows) {
    SCOPED_TRACE(std::string(row.old) + " -> " + row.fresh);
    seam = RecordingInteraction();
    Ready(l, row.old, row.fresh);
    const FakeSurface before = ui;
    ChangePassword(ctx);
    ExpectRefused("可能密码不正确,或新密码与旧密码相同", before, disk);
  }
}

// An empty box would name .\mm.dat in the current directory; an ordinary
// folder's own mm.dat is not ours to replace.
TEST_F(ChangePasswordTest, RefusesWhatIsNotALockedFolder) {
  MakeFolder("own");
  WriteBytes(At("own\\mm.dat"), "abc");
  MakeFolder("my.docs");
  const auto disk = Tree(root.path());
  for (const std::string& path : {std::string(), At("own"), At("my.docs"), At("own") + "."}) {
    SCOPED_TRACE(path);
    seam = RecordingInteraction();
    Ready(path, path.empty() ? "" : "abc", "xyz");
    const FakeSurface before = ui;
    ChangePassword(ctx);
    ExpectRefused("请重新选择改密文件夹路径", before, disk);
    EXPECT_FALSE(IsFile(".\\mm.dat")) << "nothing written to the current directory";
  }
}

// The old password stays whenever the new one cannot be put in its place.
TEST_F(ChangePasswordTest, FailedReplaceKeepsTheOldPassword) {
  struct Row {
    const char* label;
    std::function<void(const std::string& locked)> arrange;
  } rows[] = {
      {"a short write", [this](const std::string&) { files.Fail(FaultyFiles::kWriteAll); }},
      {"the move over mm.dat fails",
       [this](const std::string&) { files.Fail(FaultyFiles::kMoveReplace); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.label);
    TempRoot scratch;
    seam = RecordingInteraction();
    files.Reset();
    const std::string l = scratch.path() + "\\private.";
    MakeDir(l);
    WriteBytes(l + "\\mm.dat", "abc");
    row.arrange(l);
    const auto disk = Tree(scratch.path());
    Ready(l, "abc", "xyz");
    FakeSurface expected = ui;
    ChangePassword(ctx);
    ExpectMessage("改密失败,无法写入密码文件", "提示", ui::Icon::Warning);
    expected.texts["改密_内容1"] = "路径  " + l + "  改密失败";
    EXPECT_TRUE(ui == expected) << ui.texts["改密_内容1"];
    EXPECT_EQ(Tree(scratch.path()), disk) << "old mm.dat kept, temporary file removed";
  }
}

// Windows refuses to replace a read-only file, Wine replaces it: either way
// what the prompt says must be what the file holds.
TEST_F(ChangePasswordTest, ReadOnlyPasswordFileNeverShowsAFalseSuccess) {
  const std::string l = MakeLocked("private", "abc");
  SetReadOnly(l + "\\mm.dat", true);
  Ready(l, "abc", "xyz");
  ChangePassword(ctx);
  if (seam.messages.empty()) {
    EXPECT_EQ(ui.texts["改密_内容1"], "已经为 " + l + " 文件夹更改密码成功");
    EXPECT_EQ(ReadBytes(l + "\\mm.dat"), "xyz");
  } else {
    ExpectMessage("改密失败,无法写入密码文件", "提示", ui::Icon::Warning);
    EXPECT_EQ(ReadBytes(l + "\\mm.dat"), "abc");
  }
  EXPECT_EQ(NamesIn(l), (std::vector<std::string>{"mm.dat", "readme.txt"}));
}

TEST_F(ChangePasswordTest, PasswordFileHeldOpenElsewhereKeepsTheOldPassword) {
  const std::string l = MakeLocked("private", "abc");
  const auto disk = Tree(root.path());
  {
    HeldOpen held(l + "\\mm.dat");
    Ready(l, "abc", "xyz");
    // Held without sharing, the file reads as empty: the old password no
    // longer matches, so nothing is even tried.
    ChangePassword(ctx);
    ExpectMessage("可能密码不正确,或新密码与旧密码相同", "提示..", ui::Icon::Information);
    seam = RecordingInteraction();
    Ready(l, "", "xyz");
    ChangePassword(ctx);
    ExpectMessage("改密失败,无法写入密码文件", "提示", ui::Icon::Warning);
  }
  EXPECT_EQ(Tree(root.path()), disk);
}

TEST_F(ChangePasswordTest, LeavesTheFolderOwnFilesAlone) {
  const std::string l = MakeLocked("private", "abc");
  WriteBytes(l + "\\mm.tmp", "the user's own file");
  WriteBytes(l + "\\mm1.tmp", "and another");
  Ready(l, "abc", "xyz");
  ChangePassword(ctx);
  ExpectNoMessage();
  EXPECT_EQ(ReadBytes(l + "\\mm.dat"), "xyz");
  EXPECT_EQ(ReadBytes(l + "\\mm.tmp"), "the user's own file");
  EXPECT_EQ(ReadBytes(l + "\\mm1.tmp"), "and another");
  EXPECT_EQ(NamesIn(l), (std::vector<std::string>{"mm.dat", "mm.tmp", "mm1.tmp", "readme.txt"}));
}

}  // namespace
}  // namespace locktest
