// The first byte is the count of bytes to keep (it may pass the end), the
// rest the text to collapse. The text is also a module path for the verb's
// command, and cut at that count into a run directory and an executable name.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "properties.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const size_t keep = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  pure::CheckCollapse(text, keep);
  pure::CheckCommandOfModule(text);
  const size_t cut = keep < text.size() ? keep : text.size();
  pure::CheckMenuCommand(text.substr(0, cut), text.substr(cut));
  return 0;
}
