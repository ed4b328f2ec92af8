#include "app/command_line.h"

#include "platform/text.h"

namespace app {
namespace {

bool IsSeparator(unsigned char c) { return c >= 0x01 && c <= 0x20; }

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view line) {
  // The line ends at its first zero byte, as GetCommandLineA's string would.
  line = line.substr(0, line.find('\0'));
  const size_t n = line.size();
  size_t i = 0;

  // The program name.
  if (n > 0 && line[0] == '"') {
    i = 1;
    while (i < n && line[i] != '"') ++i;
    if (i < n) ++i;                          // the closing quote
    if (i < n && line[i] == ' ') ++i;        // one blank after a quoted name
  } else {
    while (i < n && line[i] != ' ') ++i;
    if (i < n) ++i;
  }

  std::vector<std::string> args;
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(line[i]);
    if (c == '"') {
      ++i;
      std::string arg;
      while (i < n && line[i] != '"') {
        if (text::IsLeadByte(static_cast<unsigned char>(line[i]))) {
          if (i + 1 >= n) { ++i; break; }    // a lead byte at the very end is dropped
          arg.append(line.substr(i, 2));
          i += 2;
        } else {
          arg.push_back(line[i++]);
        }
      }
      if (i < n && line[i] == '"') ++i;
      args.push_back(std::move(arg));
    } else if (IsSeparator(c)) {
      ++i;
    } else {
      std::string arg;
      while (i < n) {
        const unsigned char d = static_cast<unsigned char>(line[i]);
        if (d == '"' || IsSeparator(d)) break;
        if (text::IsLeadByte(d)) {
          if (i + 1 >= n) { ++i; break; }
          arg.append(line.substr(i, 2));
          i += 2;
        } else {
          arg.push_back(line[i++]);
        }
      }
      args.push_back(std::move(arg));
    }
  }
  return args;
}

ModulePath SplitModulePath(std::string_view path) {
  const size_t cut = text::FindLastSingle(path, '\\');
  if (cut == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, cut)), std::string(path.substr(cut + 1))};
}

}  // namespace app
