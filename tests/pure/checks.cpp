// The pure text code under AddressSanitizer and UndefinedBehaviorSanitizer:
// representative rows, then the fuzzers' properties over every short text of
// a small alphabet that holds the bytes that matter (quotes, separators, line
// ends, backslashes, dots and lead bytes). A failed row is reported and the
// run goes on; a violated property aborts with the input.
#include <cstdio>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/command_line.h"
#include "lock/first_line.h"
#include "lock/locked_path.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "properties.h"
#include "settings/menu_text.h"

namespace {

using Args = std::vector<std::string>;

int failures = 0;
size_t inputs = 0;

void Expect(bool ok, const char* piece, std::string_view input, const std::string& actual,
            const std::string& expected) {
  if (ok) return;
  ++failures;
  std::printf("FAIL %s\n  input    \"%s\"\n  actual   \"%s\"\n  expected \"%s\"\n", piece,
              pure::Escaped(input).c_str(), pure::Escaped(actual).c_str(),
              pure::Escaped(expected).c_str());
}

std::string Listed(const Args& args) {
  std::string s;
  for (const std::string& a : args) s += "[" + a + "]";
  return s;
}

// Every text of length 0..maxLength over the alphabet.
void ForEachText(std::string_view alphabet, size_t maxLength,
                 const std::function<void(const std::string&)>& f) {
  std::vector<size_t> digits;
  for (size_t length = 0; length <= maxLength; ++length) {
    digits.assign(length, 0);
    std::string s(length, alphabet[0]);
    for (;;) {
      f(s);
      ++inputs;
      size_t i = 0;
      while (i < length && ++digits[i] == alphabet.size()) {
        digits[i] = 0;
        s[i] = alphabet[0];
        ++i;
      }
      if (i == length) break;
      s[i] = alphabet[digits[i]];
    }
  }
}

// Every way to cut `size` bytes into non-empty blocks, plus one with empty
// blocks around and between.
std::vector<std::vector<size_t>> BlockSplits(size_t size) {
  std::vector<std::vector<size_t>> splits;
  if (size == 0) return {{}, {0}, {0, 0}};
  for (unsigned cuts = 0; cuts < (1u << (size - 1)); ++cuts) {
    std::vector<size_t> blocks;
    size_t run = 1;
    for (size_t i = 0; i + 1 < size; ++i, ++run) {
      if (cuts & (1u << i)) {
        blocks.push_back(run);
        run = 0;
      }
    }
    blocks.push_back(run);
    splits.push_back(blocks);
  }
  std::vector<size_t> padded{0};
  for (size_t i = 0; i < size; ++i) padded.insert(padded.end(), {1, 0});
  splits.push_back(padded);
  return splits;
}

void CommandLineRows() {
  const struct {
    std::string line;
    Args args;
  } rows[] = {
      {"\"C:\\t\\Talvenor.exe\" \"D:\\data\\private\"", {"D:\\data\\private"}},
      {"\"a.exe\" \"D:\\\"", {"D:\\"}},
      {"\"a.exe\" D:\\my data", {"D:\\my", "data"}},
      {"\"a.exe\" \"\" D:\\x", {"", "D:\\x"}},
      {"\"a.exe\" ab\"c d\"e", {"ab", "c d", "e"}},
      {"\"a.exe\" \"\xB0\x22z\"", {"\xB0\x22z"}},
      {"\"a.exe\" \"D:\\\x87\x5C\" x", {"D:\\\x87\x5C", "x"}},
      {"\"a.exe\" \xB0\x20x\tb", {"\xB0\x20x", "b"}},
      {"\"a.exe\" \"ab\xB0", {"ab"}},
      {"\"a.exe\" ab\xB0", {"ab"}},
      {std::string("\"a.exe\" ab\0cd", 13), {"ab"}},
  };
  for (const auto& row : rows) {
    const Args args = app::SplitCommandLine(row.line);
    Expect(args == row.args, "SplitCommandLine", row.line, Listed(args), Listed(row.args));
  }

  const struct {
    const char *path, *dir, *name;
  } paths[] = {
      {"D:\\lock.exe", "D:", "lock.exe"},
      {"C:\\\xB1\x5C\\Talvenor.exe", "C:\\\xB1\x5C", "Talvenor.exe"},
      {"C:\\t\\a\xB1\x5C", "C:\\t", "a\xB1\x5C"},
      {"\\\\server\\share\\Talvenor.exe", "\\\\server\\share", "Talvenor.exe"},
  };
  for (const auto& row : paths) {
    const app::ModulePath m = app::SplitModulePath(row.path);
    Expect(m.runDirectory == row.dir && m.executableName == row.name, "SplitModulePath",
           row.path, m.runDirectory + " | " + m.executableName,
           std::string(row.dir) + " | " + row.name);
  }
}

void FirstLineRows() {
  const std::string longLine = std::string(5000, 'a') + "\xC3\xDC" + std::string(5000, 'b');
  const struct {
    std::string content, line;
  } rows[] = {
      {"abc\r\ndef", "abc"},
      {"abc", "abc"},
      {"abc\r", "abc"},
      {"abc\r\r\n", "abc\r"},
      {std::string("ab\0cd", 5), "ab"},
      {"ab\x1A" "cd", "ab"},
      {"\xC3\xDC\xC2\xEB", "\xC3\xDC\xC2\xEB"},
      {"\x81\n\x81\x1A\n", "\x81\n\x81\x1A"},
      {std::string("\x81\0x\n", 4), std::string("\x81\0x", 3)},
      {"ab\x81", "ab\x81"},
      {"", ""},
      {longLine + "\r\nrest", longLine},
  };
  for (const auto& row : rows) {
    for (size_t blockSize : {size_t{1}, size_t{2}, size_t{4096}, row.content.size() + 1}) {
      lock::FirstLineScanner scanner;
      for (size_t at = 0; at < row.content.size(); at += blockSize) {
        if (!scanner.Feed(std::string_view(row.content).substr(at, blockSize))) break;
      }
      Expect(scanner.Line() == row.line, "FirstLineScanner", row.content.substr(0, 40),
             scanner.Line().substr(0, 40), row.line.substr(0, 40));
    }
  }
}

void VerbRows() {
  const struct {
    std::string path, key, value;
  } splits[] = {
      {"Folder\\shell\\Talvenor\\command\\", "Folder\\shell\\Talvenor\\command", ""},
      {"Folder\\shell\\Talvenor\\command", "Folder\\shell\\Talvenor", "command"},
      {"Soft\\a\x87\x5C" "b", "Soft", "a\x87\x5C" "b"},
      {"a\x87\x5C\\v", "a\x87\x5C", "v"},
      {"Talvenor", "", "Talvenor"},
  };
  for (const auto& row : splits) {
    const platform::RegistryPath r = platform::SplitRegistryPath(row.path);
    Expect(r.key == row.key && r.value == row.value, "SplitRegistryPath", row.path,
           r.key + " | " + r.value, row.key + " | " + row.value);
  }

  const struct {
    std::string text;
    size_t keep;
    std::string out;
  } collapses[] = {
      {"a\\\\b", 0, "a\\b"},
      {"a\\\\\\b", 0, "a\\\\b"},
      {"a\\\\\\\\b", 0, "a\\\\b"},
      {"a\x87\x5C\\b", 0, "a\x87\x5C\\b"},
      {"a\x87\x5C\\\\b", 0, "a\x87\x5C\\b"},
      {"a\\\\\x87", 0, "a\\\x87"},
      {"\"\\\\srv\\\\x", 3, "\"\\\\srv\\x"},
      {"\\\\", 5, "\\\\"},
  };
  for (const auto& row : collapses) {
    const std::string out = settings::CollapseDoubledBackslashes(row.text, row.keep);
    Expect(out == row.out, "CollapseDoubledBackslashes", row.text, out, row.out);
  }

  const struct {
    std::string dir, name, command;
  } commands[] = {
      {"D:\\Tools\\Lock", "lock.exe", "\"D:\\Tools\\Lock\\lock.exe\" \"%1\""},
      {"D:", "lock.exe", "\"D:\\lock.exe\" \"%1\""},
      {"C:\\\x87\x5C", "a.exe", "\"C:\\\x87\x5C\\a.exe\" \"%1\""},
      {"\\\\server\\share", "a.exe", "\"\\\\server\\share\\a.exe\" \"%1\""},
  };
  for (const auto& row : commands) {
    const std::string cmd = settings::MenuCommandText(row.dir, row.name);
    Expect(cmd == row.command, "MenuCommandText", row.dir, cmd, row.command);
  }
}

void PathRows() {
  const std::string p = "D:\\data\\private";
  Expect(lock::LockTarget(p) == p + "..\\", "LockTarget", p, lock::LockTarget(p), p + "..\\");
  Expect(lock::PasswordFileOfLocked(p + ".") == p + "..\\mm.dat", "PasswordFileOfLocked", p,
         lock::PasswordFileOfLocked(p + "."), p + "..\\mm.dat");

  const struct {
    std::string path;
    bool hasDot, endsInDot, plain;
  } rows[] = {
      {"D:\\data\\private", false, false, true},
      {"D:\\data\\private.", true, true, false},
      {"D:\\my.docs\\notes", true, false, true},
      {"D:\\", false, false, false},
      {"D:\\a ", false, false, false},
      {"D:\\\xB0\x2E", false, false, false},  // a dot as trail byte is no dot
      {"D:\\\xCB\xBD\xC8\xCB", false, false, true},
  };
  for (const auto& row : rows) {
    const bool hasDot = text::HasDot(row.path);
    const bool endsInDot = lock::EndsInDot(row.path);
    const bool plain = lock::HasPlainLastName(row.path);
    auto flags = [](bool a, bool b, bool c) {
      return std::string(a ? "dot " : "- ") + (b ? "ends " : "- ") + (c ? "plain" : "-");
    };
    Expect(hasDot == row.hasDot && endsInDot == row.endsInDot && plain == row.plain,
           "dot tests", row.path, flags(hasDot, endsInDot, plain),
           flags(row.hasDot, row.endsInDot, row.plain));
  }
  const std::string chinese(258, '\xD6');
  Expect(lock::CharacterCount(chinese) == 129 && lock::FitsMaxPath(chinese + std::string(130, 'a')),
         "CharacterCount", "258 bytes of lead bytes", std::to_string(lock::CharacterCount(chinese)),
         "129");
}

void Sweeps() {
  ForEachText(std::string("\"a \t\\\x81\0", 7), 6, [](const std::string& s) {
    pure::CheckCommandLine(s);
    pure::CheckModulePath(s);
  });
  ForEachText(std::string("a\r\n\0\x1A\x81", 6), 6, [](const std::string& s) {
    pure::CheckFirstLine(s, BlockSplits(s.size()));
  });
  ForEachText("a\\\x87", 8, [](const std::string& s) {
    pure::CheckRegistryPath(s);
    for (size_t keep = 0; keep <= s.size() + 1; ++keep) pure::CheckCollapse(s, keep);
  });
  ForEachText("a\\\x87:", 7, [](const std::string& s) {
    pure::CheckCommandOfModule(s);
    for (size_t cut = 0; cut <= s.size(); ++cut) {
      pure::CheckMenuCommand(s.substr(0, cut), s.substr(cut));
    }
  });
  ForEachText("a. \\/:\x81", 6, [](const std::string& s) {
    pure::CheckLockedPath(s);
    for (size_t cut = 0; cut <= s.size(); ++cut) pure::CheckDotSearch(s, cut);
  });
}

}  // namespace

int main() {
  CommandLineRows();
  FirstLineRows();
  VerbRows();
  PathRows();
  Sweeps();
  std::printf("pure checks: %d failed rows, %zu sweep inputs\n", failures, inputs);
  return failures == 0 ? 0 : 1;
}
