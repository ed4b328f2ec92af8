// The texts that make a locked folder reachable, and what Wine's path
// resolution makes of them on real folders.
#include "lock/locked_path.h"
#include "lock_fixture.h"

namespace locktest {
namespace {

TEST(LockedPath, LockAndUnlockFormTheSameTexts) {
  const std::string p = "D:\\data\\private";
  const std::string l = p + ".";
  EXPECT_EQ(lock::LockTarget(p), "D:\\data\\private..\\");
  EXPECT_EQ(lock::LockedPasswordFile(p), "D:\\data\\private..\\mm.dat");
  EXPECT_EQ(lock::LockedFolder(l), lock::LockTarget(p));
  EXPECT_EQ(lock::PasswordFileOfLocked(l), lock::LockedPasswordFile(p));
  EXPECT_EQ(lock::RestoredPath(l), p);
  EXPECT_EQ(lock::PasswordFileIn(lock::RestoredPath(l)), "D:\\data\\private\\mm.dat");
  EXPECT_EQ(lock::PasswordFileIn("D:\\"), "D:\\\\mm.dat") << "nothing is normalised";
  EXPECT_EQ(lock::RestoredPath(""), "");
}

TEST(LockedPath, NameTests) {
  struct Row {
    const char* path;
    bool endsInDot;
    bool plainLastName;
  } rows[] = {
      {"D:\\data\\private", false, true},
      {"D:\\data\\private.", true, false},
      {"D:\\my.docs\\notes", false, true},
      {"D:\\data\\私人资料", false, true},
      {"D:\\data\\私人资料.", true, false},
      {"D:\\data\\trailing ", false, false},
      {"D:\\data\\..", true, false},
      {"D:\\", false, false},
      {"D:", false, false},
      {"", false, false},
      {"D:/data/x", false, true},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(lock::EndsInDot(row.path), row.endsInDot) << row.path;
    EXPECT_EQ(lock::HasPlainLastName(row.path), row.plainLastName) << row.path;
  }
}

TEST(LockedPath, MaxPathCountsCharactersNotBytes) {
  EXPECT_TRUE(lock::FitsMaxPath(std::string(259, 'a')));
  EXPECT_FALSE(lock::FitsMaxPath(std::string(260, 'a')));
  std::string chinese;
  for (int i = 0; i < 259; ++i) chinese += "\xCB\xBD";  // 私, 518 bytes
  EXPECT_EQ(lock::CharacterCount(chinese), 259u);
  EXPECT_TRUE(lock::FitsMaxPath(chinese));
  EXPECT_FALSE(lock::FitsMaxPath(chinese + "a"));
}

// What the convention rests on, pinned on a real folder.
class PathResolution : public LockTest {};

TEST_F(PathResolution, TheLockSuffixLeavesOneDotOnDisk) {
  const std::string p = MakeFolder("private");
  ASSERT_TRUE(files.Move(p, lock::LockTarget(p)));
  EXPECT_EQ(NamesIn(root.path()), std::vector<std::string>{"private."});

  const std::string l = p + ".";
  EXPECT_EQ(files.Attributes(p), platform::kInvalidAttributes);
  EXPECT_EQ(files.Attributes(l), platform::kInvalidAttributes) << "the shell's path reaches nothing";
  EXPECT_FALSE(files.Exists(l));
  EXPECT_EQ(files.Attributes(lock::LockedFolder(l)), platform::kAttributeDirectory);
  EXPECT_FALSE(files.Exists(lock::PasswordFileIn(l))) << "L\\mm.dat resolves into the old path";

  ASSERT_TRUE(files.Move(lock::LockedFolder(l), lock::RestoredPath(l)));
  EXPECT_EQ(NamesIn(root.path()), std::vector<std::string>{"private"});
}

}  // namespace
}  // namespace locktest
