#include "lock/first_line.h"

#include "platform/text.h"

namespace lock {

bool FirstLineScanner::Feed(std::string_view block) {
  if (ended_) return false;
  size_t i = 0;
  if (trailPending_ && !block.empty()) {
    trailPending_ = false;
    i = 1;  // the trail byte of a character begun in the last block, whatever its value
  }
  while (i < block.size()) {
    const unsigned char c = static_cast<unsigned char>(block[i]);
    if (text::IsLeadByte(c)) {
      i += 2;
      continue;
    }
    // Line feed, NUL and the DOS end-of-file mark end the line.
    if (c == 0x0A || c == 0x00 || c == 0x1A) {
      line_.append(block.data(), i);
      ended_ = true;
      return false;
    }
    ++i;
  }
  if (i > block.size()) trailPending_ = true;
  line_.append(block.data(), block.size());
  return true;
}

std::string FirstLineScanner::Line() const {
  if (!line_.empty() && line_.back() == '\r') return line_.substr(0, line_.size() - 1);
  return line_;
}

}  // namespace lock
