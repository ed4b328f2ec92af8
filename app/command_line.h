// Splitting the process command line and the executable's path. Pure text
// rules, no Windows headers: also built natively for the fuzzers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace app {

// The arguments after the program name. Quotes group; nothing inside quotes
// is special (no backslash escapes); an empty quoted argument is an empty
// text; bytes 0x01..0x20 separate; a lead byte takes its trail byte along.
std::vector<std::string> SplitCommandLine(std::string_view line);

struct ModulePath {
  std::string runDirectory;    // before the last backslash; D:\lock.exe gives D:
  std::string executableName;  // after it
};

// Cuts a module's full path at its last backslash, stepping over the trail
// bytes of two-byte characters.
ModulePath SplitModulePath(std::string_view path);

}  // namespace app
