// The verb's text rules: path split, backslash collapse and the command.
#include <gtest/gtest.h>

#include <string>

#include "platform/registry.h"
#include "settings/menu_text.h"

namespace {

// 嘰 is 87 5C in code page 936: its trail byte is a backslash.
constexpr char kTrail5C[] = "嘰";

TEST(RegistryPathSplit, SplitsAtTheLastBackslashOutsideCharacters) {
  struct Row {
    const char* label;
    std::string path, key, value;
  } rows[] = {
      {"trailing backslash names the default value", "Folder\\shell\\Talvenor\\command\\",
       "Folder\\shell\\Talvenor\\command", ""},
      {"last part names a value", "Folder\\shell\\Talvenor\\command", "Folder\\shell\\Talvenor",
       "command"},
      {"trail byte 5C is not a separator", std::string("Soft\\a") + kTrail5C + "b",
       "Soft", std::string("a") + kTrail5C + "b"},
      {"trail byte 5C just before the last backslash", std::string("a") + kTrail5C + "\\v",
       std::string("a") + kTrail5C, "v"},
      {"no backslash: a value of the root", "Talvenor", "", "Talvenor"},
      {"empty path", "", "", ""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    const platform::RegistryPath parts = platform::SplitRegistryPath(row.path);
    EXPECT_EQ(parts.key, row.key);
    EXPECT_EQ(parts.value, row.value);
  }
}

TEST(CollapseDoubledBackslashes, PairsBecomeOneOnCharacterBoundaries) {
  struct Row {
    const char* label;
    std::string in, out;
    size_t keep;
  } rows[] = {
      {"no pair", "D:\\a\\b.exe", "D:\\a\\b.exe", 0},
      {"two become one", "a\\\\b", "a\\b", 0},
      {"three become two", "a\\\\\\b", "a\\\\b", 0},
      {"four become two", "a\\\\\\\\b", "a\\\\b", 0},
      {"pair at the end", "a\\\\", "a\\", 0},
      {"trail byte 5C before a backslash", std::string("a") + kTrail5C + "\\b",
       std::string("a") + kTrail5C + "\\b", 0},
      {"trail byte 5C before a pair", std::string("a") + kTrail5C + "\\\\b",
       std::string("a") + kTrail5C + "\\b", 0},
      {"lone lead byte at the end", "a\\\\\x87", "a\\\x87", 0},
      {"kept prefix is not collapsed", "\"\\\\srv\\\\x", "\"\\\\srv\\x", 3},
      {"keep beyond the end", "\\\\", "\\\\", 5},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(settings::CollapseDoubledBackslashes(row.in, row.keep), row.out);
  }
}

TEST(MenuCommandText, QuotesTheExecutableAndTheFolderArgument) {
  struct Row {
    const char* label;
    std::string runDirectory, executable, command;
  } rows[] = {
      {"ordinary folder", "D:\\Tools\\Lock", "lock.exe", "\"D:\\Tools\\Lock\\lock.exe\" \"%1\""},
      {"drive root", "D:", "lock.exe", "\"D:\\lock.exe\" \"%1\""},
      {"Chinese folder", "C:\\工具\\加密", "加密.exe", "\"C:\\工具\\加密\\加密.exe\" \"%1\""},
      {"trail byte 5C before the joining backslash", std::string("C:\\") + kTrail5C,
       "Talvenor.exe", std::string("\"C:\\") + kTrail5C + "\\Talvenor.exe\" \"%1\""},
      {"network path keeps its leading pair", "\\\\server\\share\\tools", "Talvenor.exe",
       "\"\\\\server\\share\\tools\\Talvenor.exe\" \"%1\""},
      {"network path: later pairs still collapse", "\\\\server\\\\share", "Talvenor.exe",
       "\"\\\\server\\share\\Talvenor.exe\" \"%1\""},
      {"trailing separator is not doubled", "D:\\Tools\\", "lock.exe",
       "\"D:\\Tools\\lock.exe\" \"%1\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    EXPECT_EQ(settings::MenuCommandText(row.runDirectory, row.executable), row.command);
  }
}

}  // namespace
