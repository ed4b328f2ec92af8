// Routing a path to the lock or the unlock tab.
#include <functional>

#include "lock_fixture.h"

namespace locktest {
namespace {

enum class Route { Refused, LockTab, UnlockTab, Both };

class RoutePathTest : public LockTest {
 protected:
  void SetUp() override {
    // A dot anywhere in the path routes to the unlock tab, so the rows'
    // outcomes assume none in the temporary folder's own path.
    ASSERT_EQ(root.path().find('.'), std::string::npos) << root.path();
  }

  // Earlier content of the two tabs, to see which ones a routing touched.
  static FakeSurface Before() {
    FakeSurface s;
    s.texts["加密_路径"] = "earlier lock path";
    s.texts["加密_内容"] = "earlier lock prompt";
    s.texts["解密_路径"] = "earlier unlock path";
    s.texts["解密_内容"] = "earlier unlock prompt";
    s.texts["编辑框1"] = "start box";
    return s;
  }

  static FakeSurface Expected(Route route, const std::string& x) {
    FakeSurface s = Before();
    if (route == Route::LockTab || route == Route::Both) {
      s.tab = 1;
      s.texts["加密_路径"] = x;
      s.texts["加密_内容"] = "请为路径 " + x + "  文件夹输入加密密码";
      s.focus = "加密_密码";
    }
    if (route == Route::UnlockTab || route == Route::Both) {
      s.tab = 2;
      s.texts["解密_路径"] = x;
      s.texts["解密_内容"] = "请为路径 " + x + "  文件夹输入解密密码";
      s.focus = "解密_密码";
    }
    return s;
  }

  void Check(const char* label, const std::string& x, Route route) {
    SCOPED_TRACE(label);
    ui = Before();
    seam = RecordingInteraction();
    const auto before = Tree(root.path());
    RoutePath(ctx, x);
    EXPECT_TRUE(ui == Expected(route, x)) << label << ": tab " << ui.tab << ", focus "
                                          << ui.focus.value_or("none");
    if (route == Route::Refused) {
      ExpectMessage("仅支持对文件夹进行操作", "提示", ui::Icon::Information);
    } else {
      ExpectNoMessage();
    }
    EXPECT_EQ(Tree(root.path()), before) << label << ": routing changed the disk";
  }
};

TEST_F(RoutePathTest, Table) {
  struct Row {
    const char* label;
    std::function<std::string()> make;
    Route route;
  } rows[] = {
      {"a file", [&] { WriteBytes(At("notes.txt"), "x"); return At("notes.txt"); }, Route::Refused},
      {"a folder, no mm.dat, no dot", [&] { return MakeFolder("private"); }, Route::LockTab},
      {"a Chinese folder name", [&] { return MakeFolder("私人资料"); }, Route::LockTab},
      {"the shell's path of a locked folder", [&] { return MakeLocked("locked", "abc"); },
       Route::Both},
      {"a dot in a parent's name",
       [&] { MakeDir(At("my.docs")); MakeDir(At("my.docs\\notes")); return At("my.docs\\notes"); },
       Route::Both},
      {"mm.dat with the first line abc",
       [&] { MakeDir(At("own")); WriteBytes(At("own\\mm.dat"), "abc\r\nx"); return At("own"); },
       Route::UnlockTab},
      {"a zero-byte mm.dat",
       [&] { MakeDir(At("zero")); WriteBytes(At("zero\\mm.dat"), ""); return At("zero"); },
       Route::LockTab},
      {"mm.dat with an empty first line",
       [&] { MakeDir(At("blank")); WriteBytes(At("blank\\mm.dat"), "\nabc"); return At("blank"); },
       Route::LockTab},
      {"a path that names nothing", [&] { return At("missing"); }, Route::LockTab},
      {"a path with a dot that names nothing", [&] { return At("missing.d"); }, Route::Both},
      {"below a missing parent", [&] { return At("gone\\child"); }, Route::LockTab},
  };
  for (const Row& row : rows) Check(row.label, row.make(), row.route);
}

// A drive root's path ends in its backslash, so the password file's text has
// two: C:\\mm.dat, which Windows reads as C:\mm.dat.
TEST_F(RoutePathTest, DriveRoot) {
  ASSERT_FALSE(IsFile("C:\\mm.dat")) << "the test prefix's C: drive holds an mm.dat";
  Check("C:\\ without mm.dat", "C:\\", Route::LockTab);

  WriteBytes("C:\\mm.dat", "abc");
  Check("C:\\ with mm.dat abc", "C:\\", Route::UnlockTab);
  DeleteFileA("C:\\mm.dat");
}

}  // namespace
}  // namespace locktest
