// The first-line rule and the password file, through the real file functions.
#include "lock/first_line.h"
#include "lock/password_file.h"
#include "lock_fixture.h"

namespace locktest {
namespace {

using namespace std::string_literals;

struct FirstLineRow {
  const char* label;
  std::string content;
  std::string line;
};

std::vector<FirstLineRow> FirstLineRows() {
  const std::string longLine = std::string(5000, 'a') + "\xC3\xDC" + std::string(5000, 'b');
  return {
      {"CR LF", "abc\r\ndef", "abc"},
      {"no line end", "abc", "abc"},
      {"lone CR at the end", "abc\r", "abc"},
      {"lone CR inside", "ab\rc\ndef", "ab\rc"},
      {"two CRs then LF", "abc\r\r\n", "abc\r"},
      {"NUL ends the line", "ab\0cd"s, "ab"},
      {"0x1A ends the line", "ab\x1A" "cd", "ab"},
      {"code page 936 password", "\xC3\xDC\xC2\xEB", "\xC3\xDC\xC2\xEB"},
      {"a trail byte that looks like LF is kept", "\x81\x0A" "b\nc", "\x81\x0A" "b"},
      {"a trail byte that looks like NUL is kept", "\x81\0b"s, "\x81\0b"s},
      {"lead byte at end of file", "ab\xC3", "ab\xC3"},
      {"LF first", "\nabc", ""},
      {"empty file", "", ""},
      {"a line longer than a read block", longLine + "\r\nrest", longLine},
  };
}

// Block boundaries anywhere (inside a CR LF, between a lead and its trail
// byte) must not change the line.
TEST(FirstLineScanner, SameLineWhateverTheBlockSize) {
  for (const FirstLineRow& row : FirstLineRows()) {
    for (size_t blockSize : {size_t{1}, size_t{2}, size_t{3}, size_t{4096}}) {
      lock::FirstLineScanner scanner;
      for (size_t at = 0; at < row.content.size(); at += blockSize) {
        if (!scanner.Feed(std::string_view(row.content).substr(at, blockSize))) break;
      }
      EXPECT_EQ(scanner.Line(), row.line) << row.label << ", blocks of " << blockSize;
    }
  }
}

TEST(FirstLineScanner, StopsAskingOnceTheLineHasEnded) {
  lock::FirstLineScanner scanner;
  EXPECT_TRUE(scanner.Feed("ab"));
  EXPECT_FALSE(scanner.Feed("c\nd"));
  EXPECT_FALSE(scanner.Feed("more"));
  EXPECT_EQ(scanner.Line(), "abc");
}

class PasswordFile : public LockTest {};

TEST_F(PasswordFile, ReadsTheFirstLineOfRealFiles) {
  for (const FirstLineRow& row : FirstLineRows()) {
    const std::string path = At("mm.dat");
    WriteBytes(path, row.content);
    EXPECT_EQ(lock::ReadStoredPassword(files, path), row.line) << row.label;
  }
}

TEST_F(PasswordFile, WhatCannotBeOpenedReadsAsEmpty) {
  MakeDir(At("folder"));
  MakeDir(At("folder\\mm.dat"));
  EXPECT_EQ(lock::ReadStoredPassword(files, At("absent.dat")), "") << "absent file";
  EXPECT_EQ(lock::ReadStoredPassword(files, At("nowhere\\mm.dat")), "") << "missing folder";
  EXPECT_EQ(lock::ReadStoredPassword(files, At("folder\\mm.dat")), "") << "a folder named mm.dat";

  WriteBytes(At("held.dat"), "abc");
  HeldOpen held(At("held.dat"));
  EXPECT_EQ(lock::ReadStoredPassword(files, At("held.dat")), "") << "held open elsewhere";
}

TEST_F(PasswordFile, WritesThePasswordBytesAndNothingElse) {
  const std::string path = At("mm.dat");
  ASSERT_TRUE(lock::WritePasswordFile(files, path, "\xC3\xDC\xC2\xEB" "abc"));
  EXPECT_EQ(ReadBytes(path), "\xC3\xDC\xC2\xEB" "abc");
  EXPECT_EQ(lock::ReadStoredPassword(files, path), "\xC3\xDC\xC2\xEB" "abc");

  ASSERT_TRUE(lock::WritePasswordFile(files, path, ""));
  EXPECT_EQ(ReadBytes(path), "") << "the empty password truncates the file";
}

TEST_F(PasswordFile, ReportsAWriteThatDidNotHappen) {
  EXPECT_FALSE(lock::WritePasswordFile(files, "", "abc")) << "empty path";
  EXPECT_FALSE(files.Exists("mm.dat"));
  EXPECT_FALSE(lock::WritePasswordFile(files, At("nowhere\\mm.dat"), "abc"));

  WriteBytes(At("held.dat"), "old");
  {
    HeldOpen held(At("held.dat"));
    EXPECT_FALSE(lock::WritePasswordFile(files, At("held.dat"), "new"));
  }
  EXPECT_EQ(ReadBytes(At("held.dat")), "old");
}

}  // namespace
}  // namespace locktest
