// The drop effect shown while files are dragged over the main window, from
// the keys held and the effects the source allows. Pure rule, no Windows
// headers; the values are those of DROPEFFECT_* and MK_*.
#pragma once

#include <cstdint>

namespace platform {

constexpr uint32_t kEffectNone = 0, kEffectCopy = 1, kEffectMove = 2, kEffectLink = 4;
constexpr uint32_t kKeyShift = 0x4, kKeyControl = 0x8;

inline uint32_t DropEffect(bool acceptable, uint32_t keys, uint32_t allowed) {
  if (!acceptable) return kEffectNone;
  const bool control = (keys & kKeyControl) != 0;
  const bool shift = (keys & kKeyShift) != 0;
  if (control && shift) return kEffectNone;
  if (control) return (allowed & kEffectCopy) ? kEffectCopy : kEffectNone;
  if (shift) return (allowed & kEffectMove) ? kEffectMove : kEffectNone;
  if (allowed & kEffectCopy) return kEffectCopy;
  if (allowed & kEffectMove) return kEffectMove;
  if (allowed & kEffectLink) return kEffectLink;
  return kEffectNone;
}

}  // namespace platform
