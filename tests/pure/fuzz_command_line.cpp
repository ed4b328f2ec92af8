// The input is a process command line; also read as a module path.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  pure::CheckCommandLine(line);
  pure::CheckModulePath(line);
  return 0;
}
