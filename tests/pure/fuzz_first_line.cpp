// The first byte seeds the block sizes, the rest is the content of mm.dat.
// Each input is fed whole, byte by byte, cut once at every position (when
// short) and in blocks drawn from the seed, empty ones included.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "properties.h"

namespace {

std::vector<size_t> DrawnBlocks(uint32_t state, size_t size) {
  std::vector<size_t> blocks;
  state = state * 2654435761u + 1;
  for (size_t left = size; left > 0;) {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    // Mostly small blocks, where lead and trail bytes fall apart; now and
    // then an empty one or a large one.
    size_t n = state % 8 == 0 ? (state >> 8) % 600 : (state >> 8) % 4;
    if (n > left) n = left;
    blocks.push_back(n);
    left -= n;
  }
  return blocks;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string_view content(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::vector<std::vector<size_t>> splits{std::vector<size_t>(content.size(), 1),
                                          DrawnBlocks(data[0], content.size())};
  if (content.size() <= 32) {
    for (size_t cut = 0; cut <= content.size(); ++cut) splits.push_back({cut, content.size() - cut});
  }
  pure::CheckFirstLine(content, splits);
  return 0;
}
