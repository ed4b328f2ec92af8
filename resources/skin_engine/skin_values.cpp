#include "skin_values.h"

#include <cstring>

namespace skin {
namespace {

enum class Type { Colour, Integer, Text };

struct Key {
  uint16_t id;
  Type type;
  bool required;
  uint32_t Values::*colour;  // for colours
};

constexpr Key kKeys[] = {
    {0x0001, Type::Text, false, nullptr},
    {0x0010, Type::Colour, true, &Values::windowBackground},
    {0x0011, Type::Colour, true, &Values::windowText},
    {0x0012, Type::Colour, true, &Values::disabledText},
    {0x0013, Type::Colour, true, &Values::border},
    {0x0014, Type::Colour, true, &Values::accent},
    {0x0020, Type::Colour, true, &Values::editBackground},
    {0x0021, Type::Colour, true, &Values::editText},
    {0x0030, Type::Colour, true, &Values::buttonFace},
    {0x0031, Type::Colour, true, &Values::buttonHot},
    {0x0032, Type::Colour, true, &Values::buttonPressed},
    {0x0033, Type::Colour, true, &Values::buttonText},
    {0x0034, Type::Colour, true, &Values::buttonBorder},
    {0x0035, Type::Integer, false, nullptr},
    {0x0040, Type::Colour, true, &Values::tabBackground},
};
constexpr size_t kKeyCount = sizeof(kKeys) / sizeof(kKeys[0]);
constexpr int kMaxRadius = 12;

uint16_t U16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t U32(const unsigned char* p) {
  return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
         static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
}

uint32_t Crc32(const unsigned char* p, size_t n) {
  uint32_t crc = 0xFFFFFFFFu;
  while (n--) {
    crc ^= *p++;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

const Key* FindKey(uint16_t id) {
  for (const Key& k : kKeys)
    if (k.id == id) return &k;
  return nullptr;
}

size_t Index(const Key* k) { return static_cast<size_t>(k - kKeys); }

}  // namespace

bool Parse(const unsigned char* data, size_t size, Values& out) {
  if (!data || size < kMinFileSize || size > kMaxFileSize) return false;
  if (std::memcmp(data, ".SHE", 4) != 0 || data[4] != 1) return false;
  const size_t end = size - 4;
  if (Crc32(data, end) != U32(data + end)) return false;

  Values v;
  bool seen[kKeyCount] = {};
  const unsigned count = U16(data + 6);
  size_t at = 8;
  for (unsigned i = 0; i < count; ++i) {
    if (end - at < 4) return false;
    const uint16_t id = U16(data + at);
    const size_t length = U16(data + at + 2);
    at += 4;
    if (end - at < length) return false;
    const unsigned char* value = data + at;
    at += length;

    const Key* key = FindKey(id);
    if (!key) continue;  // a key of a later minor version
    if (seen[Index(key)]) return false;
    seen[Index(key)] = true;
    switch (key->type) {
      case Type::Colour:
        if (length != 3) return false;
        v.*(key->colour) = static_cast<uint32_t>(value[0]) | static_cast<uint32_t>(value[1]) << 8 |
                           static_cast<uint32_t>(value[2]) << 16;
        break;
      case Type::Integer: {
        if (length != 2) return false;
        const int radius = U16(value);
        if (radius > kMaxRadius) return false;
        v.buttonRadius = radius;
        break;
      }
      case Type::Text:
        if (length < 1 || length >= sizeof(v.name) || std::memchr(value, 0, length)) return false;
        std::memcpy(v.name, value, length);
        v.name[length] = '\0';
        break;
    }
  }
  if (at != end) return false;
  for (size_t k = 0; k < kKeyCount; ++k)
    if (kKeys[k].required && !seen[k]) return false;
  out = v;
  return true;
}

}  // namespace skin
