// The command line and the module path: pure text rules, as tables.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Args = std::vector<std::string>;

struct LineCase {
  const char* label;
  std::string line;
  Args expected;
};

TEST(SplitCommandLine, Table) {
  const LineCase cases[] = {
      {"quoted name, no arguments", "\"C:\\t\\Talvenor.exe\"", {}},
      {"quoted name and one blank", "\"C:\\t\\Talvenor.exe\" ", {}},
      {"unquoted name", "Talvenor.exe D:\\data", {"D:\\data"}},
      {"quoted argument with a blank", "\"a.exe\" \"D:\\my data\"", {"D:\\my data"}},
      {"unquoted argument stops at a blank", "\"a.exe\" D:\\my data", {"D:\\my", "data"}},
      {"empty quotes are an empty argument", "\"a.exe\" \"\" D:\\x", {"", "D:\\x"}},
      {"quote ends an unquoted argument", "\"a.exe\" ab\"c d\"e", {"ab", "c d", "e"}},
      {"unterminated quote runs to the end", "\"a.exe\" \"D:\\open", {"D:\\open"}},
      {"backslash before the closing quote stays", "\"a.exe\" \"D:\\\" x", {"D:\\", "x"}},
      {"tabs and control bytes separate", "\"a.exe\"\tone\x01two\x1fthree", {"one", "two", "three"}},
      {"several blanks", "\"a.exe\"    x     y  ", {"x", "y"}},
      {"two-byte character with a quote as trail byte", "\"a.exe\" \"\xB0\x22z\"", {"\xB0\x22z"}},
      {"lead byte at the very end of a quoted argument", "\"a.exe\" \"ab\xB0", {"ab"}},
      {"lead byte at the very end of an unquoted argument", "\"a.exe\" ab\xB0", {"ab"}},
      {"Chinese path", "\"a.exe\" \"D:\\\xCB\xBD\xC8\xCB\xD7\xCA\xC1\xCF\"", {"D:\\\xCB\xBD\xC8\xCB\xD7\xCA\xC1\xCF"}},
      {"trail byte 0x20 is not a separator", "\"a.exe\" \xB0\x20x", {"\xB0\x20x"}},
      {"empty line", "", {}},
      {"name only, unquoted", "a.exe", {}},
      {"quoted name without blank before argument", "\"a.exe\"x", {"x"}},
      {"unquoted name followed by a quote", "a.exe \"q\"", {"q"}},
  };
  for (const LineCase& c : cases) {
    EXPECT_EQ(app::SplitCommandLine(c.line), c.expected) << c.label;
  }
}

struct PathCase {
  const char* label;
  const char* path;
  const char* dir;
  const char* name;
};

TEST(SplitModulePath, Table) {
  const PathCase cases[] = {
      {"drive root", "D:\\lock.exe", "D:", "lock.exe"},
      {"nested folders", "C:\\Program Files\\Tools\\Talvenor.exe", "C:\\Program Files\\Tools", "Talvenor.exe"},
      // 0x5C as the trail byte of a double-byte character is not a separator.
      {"trail byte 0x5C", "C:\\\xB1\x5C\\Talvenor.exe", "C:\\\xB1\x5C", "Talvenor.exe"},
      {"trail byte 0x5C at the end of the name", "C:\\t\\a\xB1\x5C", "C:\\t", "a\xB1\x5C"},
      {"network path", "\\\\server\\share\\Talvenor.exe", "\\\\server\\share", "Talvenor.exe"},
  };
  for (const PathCase& c : cases) {
    const app::ModulePath m = app::SplitModulePath(c.path);
    EXPECT_EQ(m.runDirectory, c.dir) << c.label;
    EXPECT_EQ(m.executableName, c.name) << c.label;
  }
}

}  // namespace
