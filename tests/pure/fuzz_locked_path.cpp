// The first byte places a cut for the laws of concatenation, the rest is a
// folder path.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view path(reinterpret_cast<const char*>(data) + 1, size - 1);
  pure::CheckDotSearch(path, data[0] % (path.size() + 1));
  pure::CheckLockedPath(path);
  return 0;
}
