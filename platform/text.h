// Byte-string helpers for code page 936 texts. No Windows headers: this file
// is also built natively for the fuzzers and sanitizers.
#pragma once

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace text {

// A byte with its high bit set starts a two-byte character in code page 936.
inline bool IsLeadByte(unsigned char c) { return c >= 0x80; }

// Equality of two texts as zero-terminated byte strings: the comparison stops
// at the first zero byte, like strcmp, and is case-sensitive.
inline bool Equal(std::string_view a, std::string_view b) {
  const size_t za = a.find('\0');
  const size_t zb = b.find('\0');
  return a.substr(0, za) == b.substr(0, zb);
}

// Joins texts in order; no separator is added.
inline std::string Join(std::initializer_list<std::string_view> parts) {
  std::string out;
  size_t n = 0;
  for (auto p : parts) n += p.size();
  out.reserve(n);
  for (auto p : parts) out.append(p.data(), p.size());
  return out;
}

// Position of the last byte `c` that is not the trail byte of a two-byte
// character, or npos. `c` must be an ASCII byte.
inline size_t FindLastSingle(std::string_view s, char c) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
      ++i;  // the trail byte goes with it
      continue;
    }
    if (s[i] == c) found = i;
  }
  return found;
}

// Position of the first byte `c` that is not the trail byte of a two-byte
// character, or npos.
inline size_t FindFirstSingle(std::string_view s, char c) {
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
      ++i;
      continue;
    }
    if (s[i] == c) return i;
  }
  return std::string_view::npos;
}

inline bool HasDot(std::string_view s) { return FindFirstSingle(s, '.') != std::string_view::npos; }

}  // namespace text
