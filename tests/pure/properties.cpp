#include "properties.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "app/command_line.h"
#include "lock/first_line.h"
#include "lock/locked_path.h"
#include "platform/registry.h"
#include "platform/text.h"
#include "settings/menu_text.h"

namespace pure {
namespace {

constexpr size_t npos = std::string_view::npos;

struct Shown {
  const char* name;
  std::string bytes;
};

[[noreturn]] void Violation(const char* piece, const char* property,
                            std::initializer_list<Shown> shown) {
  std::fprintf(stderr, "property violated: %s: %s\n", piece, property);
  for (const Shown& s : shown) {
    std::fprintf(stderr, "  %s (%zu bytes): \"%s\"\n", s.name, s.bytes.size(),
                 Escaped(s.bytes).c_str());
  }
  std::abort();
}

#define REQUIRE(cond, property, ...)                                  \
  do {                                                                \
    if (!(cond)) Violation(kPiece, property, {__VA_ARGS__});          \
  } while (0)

Shown Show(const char* name, std::string_view bytes) { return {name, std::string(bytes)}; }

Shown Show(const char* name, const std::vector<std::string>& list) {
  std::string joined;
  for (const std::string& s : list) joined += "[" + s + "]";
  return {name, joined};
}

bool IsLead(char c) { return text::IsLeadByte(static_cast<unsigned char>(c)); }
bool IsSeparator(char c) { return c >= 0x01 && c <= 0x20; }

// The positions where characters start.
std::vector<size_t> Boundaries(std::string_view s) {
  std::vector<size_t> at;
  for (size_t i = 0; i < s.size(); i += IsLead(s[i]) ? 2 : 1) at.push_back(i);
  return at;
}

bool IsBoundary(std::string_view s, size_t pos) {
  if (pos == s.size()) return EndsOnBoundary(s);
  for (size_t b : Boundaries(s)) {
    if (b == pos) return true;
  }
  return false;
}

// The byte `c` stands at a character boundary somewhere in s.
bool HasSingle(std::string_view s, char c) {
  for (size_t b : Boundaries(s)) {
    if (s[b] == c) return true;
  }
  return false;
}

// The last character is the single byte c.
bool EndsInSingle(std::string_view s, char c) {
  const std::vector<size_t> at = Boundaries(s);
  return !at.empty() && at.back() == s.size() - 1 && s.back() == c;
}

// A backslash at a boundary directly followed by another, from `from` on
// (the walk starting at `from`).
bool HasDoubledBackslash(std::string_view s, size_t from = 0) {
  const std::string_view tail = s.substr(from);
  for (size_t b : Boundaries(tail)) {
    if (tail[b] == '\\' && b + 1 < tail.size() && tail[b + 1] == '\\') return true;
  }
  return false;
}

}  // namespace

std::string Escaped(std::string_view bytes) {
  std::string out;
  for (char ch : bytes) {
    const unsigned char c = static_cast<unsigned char>(ch);
    if (c >= 0x20 && c < 0x7F && c != '\\' && c != '"') {
      out += ch;
    } else {
      char buf[5];
      std::snprintf(buf, sizeof buf, "\\x%02X", c);
      out += buf;
    }
  }
  return out;
}

bool EndsOnBoundary(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) i += IsLead(s[i]) ? 2 : 1;
  return i == s.size();
}

// ---------------------------------------------------------------- command line

void CheckCommandLine(std::string_view line) {
  static constexpr char kPiece[] = "SplitCommandLine";
  const std::vector<std::string> args = app::SplitCommandLine(line);
  const std::string_view visible = line.substr(0, line.find('\0'));

  {
    const std::vector<std::string> again = app::SplitCommandLine(
        line.find('\0') == npos ? std::string(line) + std::string("\0\"x y\" z", 8)
                                : std::string(visible));
    REQUIRE(again == args, "bytes after the first zero byte change nothing",
            Show("line", line), Show("args", args), Show("other", again));
  }
  {
    // A quoted name and the one blank after it, or an unquoted name and its
    // blank, are skipped alike.
    const std::string quoted = "\"x\" " + std::string(line);
    const std::string unquoted = "x " + std::string(line);
    REQUIRE(app::SplitCommandLine(quoted) == app::SplitCommandLine(unquoted),
            "quoted and unquoted program names leave the same arguments", Show("tail", line));
  }

  // An unquoted argument that is only a lead byte at the very end of the
  // line loses that byte and is left empty.
  const bool lostLead = !EndsOnBoundary(visible);
  size_t cursor = 0;
  std::string requoted = "\"x\"";
  for (size_t k = 0; k < args.size(); ++k) {
    const std::string& arg = args[k];
    const bool lastAndLost = lostLead && k + 1 == args.size() && arg.empty();
    REQUIRE(arg.find('\0') == npos, "no argument holds a zero byte", Show("line", line),
            Show("arg", arg));
    REQUIRE(EndsOnBoundary(arg), "no argument ends in a lead byte without its trail",
            Show("line", line), Show("arg", arg));
    REQUIRE(!HasSingle(arg, '"'), "no argument holds a quote outside a character",
            Show("line", line), Show("arg", arg));
    // Arguments are pieces of the line, in order. A piece with a separator
    // outside characters (or an empty one) must have come from quotes: find
    // the first occurrence after a quote. First-fit is exact for in-order
    // matching, so a miss is a real violation.
    bool quotedOnly = arg.empty() && !lastAndLost;
    for (size_t b : Boundaries(arg)) quotedOnly = quotedOnly || IsSeparator(arg[b]);
    size_t at = visible.find(arg, cursor);
    while (quotedOnly && at != npos && (at == 0 || visible[at - 1] != '"')) {
      at = visible.find(arg, at + 1);
    }
    REQUIRE(at != npos,
            quotedOnly ? "an empty argument or one with a separator comes from quotes"
                       : "arguments are pieces of the line, in order",
            Show("line", line), Show("args", args), Show("arg", arg));
    cursor = at + arg.size();
    requoted += " \"" + arg + "\"";
  }
  {
    const std::vector<std::string> again = app::SplitCommandLine(requoted);
    REQUIRE(again == args, "quoting every argument gives the same arguments",
            Show("line", line), Show("args", args), Show("requoted", requoted),
            Show("again", again));
  }
  if (visible.find('"') == npos) {
    std::vector<std::string> unquoted = args;
    if (lostLead && !unquoted.empty() && unquoted.back().empty()) unquoted.pop_back();
    std::string joined = "x";
    for (const std::string& arg : unquoted) {
      REQUIRE(!arg.empty(), "without quotes no argument is empty", Show("line", line),
              Show("args", args));
      joined += " " + arg;
    }
    REQUIRE(app::SplitCommandLine(joined) == unquoted,
            "without quotes the arguments joined by blanks split the same",
            Show("line", line), Show("args", args), Show("joined", joined));
  }
}

void CheckModulePath(std::string_view path) {
  static constexpr char kPiece[] = "SplitModulePath";
  const app::ModulePath m = app::SplitModulePath(path);
  const std::string& dir = m.runDirectory;
  const std::string& name = m.executableName;
  if (!HasSingle(path, '\\')) {
    REQUIRE(dir.empty() && name == path, "without a backslash the whole path is the name",
            Show("path", path), Show("dir", dir), Show("name", name));
    return;
  }
  REQUIRE(dir + "\\" + name == path, "directory, backslash and name give the path",
          Show("path", path), Show("dir", dir), Show("name", name));
  REQUIRE(IsBoundary(path, dir.size()), "the cut is a character boundary", Show("path", path),
          Show("dir", dir));
  REQUIRE(!HasSingle(name, '\\'), "the cut is at the last backslash", Show("path", path),
          Show("name", name));
}

// ------------------------------------------------------------------ first line

void CheckFirstLine(std::string_view content, const std::vector<std::vector<size_t>>& splits) {
  static constexpr char kPiece[] = "FirstLineScanner";
  // The rule over the whole content: the line runs to the first LF, NUL or
  // 0x1A that starts a character, and loses one trailing CR.
  size_t end = content.size();
  for (size_t b : Boundaries(content)) {
    const char c = content[b];
    if (c == '\n' || c == '\0' || c == '\x1A') {
      end = b;
      break;
    }
  }
  std::string expected(content.substr(0, end));
  if (!expected.empty() && expected.back() == '\r') expected.pop_back();

  lock::FirstLineScanner whole;
  whole.Feed(content);
  REQUIRE(whole.Line() == expected, "fed whole, the line is the rule's line",
          Show("content", content), Show("line", whole.Line()), Show("expected", expected));
  for (size_t b : Boundaries(whole.Line())) {
    const char c = whole.Line()[b];
    REQUIRE(c != '\n' && c != '\0' && c != '\x1A',
            "the line holds no LF, NUL or 0x1A except as a trail byte",
            Show("content", content), Show("line", whole.Line()));
  }

  for (const std::vector<size_t>& blocks : splits) {
    lock::FirstLineScanner scanner;
    size_t offset = 0;
    bool ended = false;
    std::string lineAtEnd;
    for (size_t size : blocks) {
      const std::string_view block = content.substr(offset, size);
      const bool more = scanner.Feed(block);
      if (ended) {
        REQUIRE(!more && scanner.Line() == lineAtEnd, "after the end, blocks change nothing",
                Show("content", content), Show("line", scanner.Line()));
      } else if (end < content.size() && end < offset + block.size()) {
        REQUIRE(!more, "the block holding the end of the line says so",
                Show("content", content), Show("block", block));
        ended = true;
        lineAtEnd = scanner.Line();
      } else {
        REQUIRE(more, "a block before the end of the line asks for more",
                Show("content", content), Show("block", block));
      }
      offset += block.size();
    }
    REQUIRE(offset == content.size(), "the blocks cover the content (fixture)",
            Show("content", content));
    REQUIRE(scanner.Line() == expected, "fed in blocks, the line is the same as fed whole",
            Show("content", content), Show("line", scanner.Line()),
            Show("expected", expected));
  }
}

// --------------------------------------------------------------- registry path

void CheckRegistryPath(std::string_view path) {
  static constexpr char kPiece[] = "SplitRegistryPath";
  const platform::RegistryPath r = platform::SplitRegistryPath(path);
  if (!HasSingle(path, '\\')) {
    REQUIRE(r.key.empty() && r.value == path,
            "without a backslash the path names a value of the root", Show("path", path),
            Show("key", r.key), Show("value", r.value));
  } else {
    REQUIRE(r.key + "\\" + r.value == path, "key, backslash and value give the path",
            Show("path", path), Show("key", r.key), Show("value", r.value));
    REQUIRE(IsBoundary(path, r.key.size()), "the cut is a character boundary",
            Show("path", path), Show("key", r.key));
    REQUIRE(!HasSingle(r.value, '\\'), "the value holds no backslash", Show("path", path),
            Show("value", r.value));
  }
  if (EndsOnBoundary(path)) {
    const platform::RegistryPath d = platform::SplitRegistryPath(std::string(path) + "\\");
    REQUIRE(d.key == path && d.value.empty(), "a trailing backslash names the default value",
            Show("path", path), Show("key", d.key), Show("value", d.value));
  } else {
    // The appended backslash is the trail byte of the last character.
    const platform::RegistryPath d = platform::SplitRegistryPath(std::string(path) + "\\");
    REQUIRE(d.key == r.key && d.value.size() == r.value.size() + 1,
            "a backslash after a lone lead byte is its trail byte", Show("path", path),
            Show("key", d.key), Show("value", d.value));
  }
}

// ------------------------------------------------------------ backslash collapse

void CheckCollapse(std::string_view text, size_t keep) {
  static constexpr char kPiece[] = "CollapseDoubledBackslashes";
  const std::string out = settings::CollapseDoubledBackslashes(text, keep);
  const size_t kept = keep < text.size() ? keep : text.size();

  // Run by run after the kept prefix: n backslashes in a row become
  // ceil(n / 2); every other character is copied whole.
  std::string expected(text.substr(0, kept));
  const std::string_view rest = text.substr(kept);
  bool longRun = false;
  for (size_t i = 0; i < rest.size();) {
    if (rest[i] == '\\') {
      size_t n = 0;
      while (i + n < rest.size() && rest[i + n] == '\\') ++n;
      expected.append((n + 1) / 2, '\\');
      longRun = longRun || n >= 3;
      i += n;
    } else {
      const size_t len = IsLead(rest[i]) && i + 1 < rest.size() ? 2 : 1;
      expected.append(rest.substr(i, len));
      i += len;
    }
  }
  REQUIRE(out == expected, "each run of n backslashes becomes ceil(n/2), the rest is copied",
          Show("text", text), Show("keep", std::to_string(keep)), Show("out", out),
          Show("expected", expected));
  REQUIRE(out.compare(0, kept, text.substr(0, kept)) == 0, "the kept prefix is unchanged",
          Show("text", text), Show("out", out));
  if (!longRun) {
    REQUIRE(!HasDoubledBackslash(out, kept),
            "without runs of three, no doubled backslash is left after the kept prefix",
            Show("text", text), Show("out", out));
  }
  const bool stable = settings::CollapseDoubledBackslashes(out, kept) == out;
  REQUIRE(stable == !HasDoubledBackslash(out, kept),
          "collapsing again changes the text exactly when a pair is left", Show("text", text),
          Show("out", out));
}

void CheckMenuCommand(std::string_view runDirectory, std::string_view executableName) {
  static constexpr char kPiece[] = "MenuCommandText";
  const std::string cmd = settings::MenuCommandText(runDirectory, executableName);
  static constexpr std::string_view kTail = "\" \"%1\"";
  REQUIRE(cmd.size() >= 1 + kTail.size() && cmd[0] == '"' &&
              cmd.compare(cmd.size() - kTail.size(), kTail.size(), kTail) == 0,
          "the command is a quoted program and a quoted %1", Show("dir", runDirectory),
          Show("name", executableName), Show("command", cmd));
  if (runDirectory.substr(0, 2) == "\\\\") {
    REQUIRE(cmd.compare(0, 3, "\"\\\\") == 0, "a network run directory keeps its leading pair",
            Show("dir", runDirectory), Show("command", cmd));
  }
}

void CheckCommandOfModule(std::string_view path) {
  static constexpr char kPiece[] = "MenuCommandText of SplitModulePath";
  // A module path: a backslash somewhere, none at the end, and no doubled
  // backslash except the leading pair of a network path, which must then go
  // on to a server name.
  if (!HasSingle(path, '\\') || EndsInSingle(path, '\\')) return;
  const bool network = path.substr(0, 2) == "\\\\";
  if (HasDoubledBackslash(path, network ? 1 : 0)) return;
  const app::ModulePath m = app::SplitModulePath(path);
  if (network && m.runDirectory.size() < 3) return;
  const std::string cmd = settings::MenuCommandText(m.runDirectory, m.executableName);
  const std::string expected = "\"" + std::string(path) + "\" \"%1\"";
  REQUIRE(cmd == expected, "the verb's command names the executable", Show("path", path),
          Show("command", cmd), Show("expected", expected));
}

// ------------------------------------------------------------------ dot search

void CheckDotSearch(std::string_view s, size_t cut) {
  static constexpr char kPiece[] = "FindFirstSingle/FindLastSingle/HasDot";
  const size_t first = text::FindFirstSingle(s, '.');
  const size_t last = text::FindLastSingle(s, '.');
  REQUIRE(text::HasDot(s) == (first != npos) && (first == npos) == (last == npos),
          "HasDot and both searches agree", Show("s", s));
  if (first != npos) {
    REQUIRE(first <= last && s[first] == '.' && s[last] == '.' && IsBoundary(s, first) &&
                IsBoundary(s, last),
            "the dots found start characters", Show("s", s));
  }

  // Concatenation: a text that ends on a boundary does not disturb the walk
  // of what follows it.
  if (cut > s.size()) cut = s.size();
  const std::string_view a = s.substr(0, cut), b = s.substr(cut);
  if (EndsOnBoundary(a)) {
    const size_t fa = text::FindFirstSingle(a, '.'), fb = text::FindFirstSingle(b, '.');
    const size_t la = text::FindLastSingle(a, '.'), lb = text::FindLastSingle(b, '.');
    REQUIRE(first == (fa != npos ? fa : fb != npos ? cut + fb : npos),
            "the first dot of a+b is the first of a, else of b", Show("a", a), Show("b", b));
    REQUIRE(last == (lb != npos ? cut + lb : la),
            "the last dot of a+b is the last of b, else of a", Show("a", a), Show("b", b));
    const std::string dotted = std::string(s) + ".";
    if (EndsOnBoundary(s)) {
      REQUIRE(text::FindLastSingle(dotted, '.') == s.size(), "an appended dot is found last",
              Show("s", s));
    }
  }
  // A dot as trail byte never counts.
  const std::string hidden = "\x81." + std::string(s);
  REQUIRE(text::FindFirstSingle(hidden, '.') == (first == npos ? npos : first + 2),
          "a dot as trail byte is not found", Show("s", s));
}

// ----------------------------------------------------------------- locked path

void CheckLockedPath(std::string_view p) {
  static constexpr char kPiece[] = "locked path texts";
  const bool aligned = EndsOnBoundary(p);
  const std::string locked = std::string(p) + ".";

  // The texts of the lock and those of the unlock meet.
  REQUIRE(lock::LockedFolder(locked) == lock::LockTarget(p),
          "the unlock's folder text is the lock's rename target", Show("P", p));
  REQUIRE(lock::PasswordFileOfLocked(locked) == lock::LockedPasswordFile(p),
          "the unlock reads the file the lock wrote", Show("P", p));
  REQUIRE(lock::RestoredPath(locked) == p, "the restored path is the unlocked path",
          Show("P", p));
  REQUIRE(lock::PasswordFileIn(lock::RestoredPath(locked)) == std::string(p) + "\\mm.dat",
          "the file deleted after the rename back is inside the unlocked folder",
          Show("P", p));
  REQUIRE(lock::LockedPasswordFile(p) == lock::LockTarget(p) + "mm.dat",
          "the password file lies in the rename target", Show("P", p));

  REQUIRE(lock::EndsInDot(locked) == aligned,
          "a locked path ends in a dot unless the dot is a trail byte", Show("P", p));
  if (aligned) {
    REQUIRE(text::HasDot(locked), "a locked path always holds a dot", Show("P", p));
  }
  if (lock::HasPlainLastName(p)) {
    REQUIRE(!lock::EndsInDot(p), "a plain name does not end in a dot", Show("P", p));
  }
  if (aligned) {
    for (const char* tail : {".", " ", "\\", "/", ":"}) {
      REQUIRE(!lock::HasPlainLastName(std::string(p) + tail),
              "a name ending in a dot or blank, or no name at all, is not plain", Show("P", p),
              Show("tail", tail));
    }
    for (const char* tail : {"\\a", "/a", ":a", "\\\xD6\xD0"}) {
      REQUIRE(lock::HasPlainLastName(std::string(p) + tail),
              "a last component that is a plain name is plain", Show("P", p),
              Show("tail", tail));
    }
  }

  const size_t count = lock::CharacterCount(p);
  REQUIRE(count <= p.size() && 2 * count >= p.size(),
          "a character is one or two bytes", Show("P", p));
  REQUIRE(lock::CharacterCount(locked) == count + (aligned ? 1 : 0),
          "the dot of the locked path counts unless it is a trail byte", Show("P", p));
  REQUIRE(lock::FitsMaxPath(p) == (count <= lock::kMaxPathCharacters),
          "the limit is counted in characters", Show("P", p));
}

}  // namespace pure
