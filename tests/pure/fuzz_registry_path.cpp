// The input is a registry path relative to its root.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  pure::CheckRegistryPath(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
