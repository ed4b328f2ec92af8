// The values a skin file carries, and the reader of the file format
// described in FORMAT.md. No Windows headers: colours are 0x00BBGGRR, the
// layout of a COLORREF.
#pragma once

#include <cstddef>
#include <cstdint>

namespace skin {

struct Values {
  uint32_t windowBackground = 0;
  uint32_t windowText = 0;
  uint32_t disabledText = 0;
  uint32_t border = 0;
  uint32_t accent = 0;
  uint32_t editBackground = 0;
  uint32_t editText = 0;
  uint32_t buttonFace = 0;
  uint32_t buttonHot = 0;
  uint32_t buttonPressed = 0;
  uint32_t buttonText = 0;
  uint32_t buttonBorder = 0;
  uint32_t tabBackground = 0;
  int buttonRadius = 0;
  char name[64] = {};
};

constexpr size_t kMinFileSize = 12;
constexpr size_t kMaxFileSize = 65536;

// True and `out` filled when `data` is a complete, well-formed skin;
// `out` is left alone otherwise.
bool Parse(const unsigned char* data, size_t size, Values& out);

}  // namespace skin
