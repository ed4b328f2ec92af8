#include "lock/locked_path.h"

#include "platform/text.h"

namespace lock {

std::string PasswordFileIn(std::string_view folder) { return text::Join({folder, "\\mm.dat"}); }

std::string LockTarget(std::string_view unlocked) { return text::Join({unlocked, "..\\"}); }

std::string LockedPasswordFile(std::string_view unlocked) {
  return text::Join({unlocked, "..\\mm.dat"});
}

std::string LockedFolder(std::string_view locked) { return text::Join({locked, ".\\"}); }

std::string PasswordFileOfLocked(std::string_view locked) {
  return text::Join({locked, ".\\mm.dat"});
}

std::string RestoredPath(std::string_view locked) {
  return std::string(locked.substr(0, locked.empty() ? 0 : locked.size() - 1));
}

bool EndsInDot(std::string_view path) {
  return !path.empty() && text::FindLastSingle(path, '.') == path.size() - 1;
}

bool HasPlainLastName(std::string_view path) {
  size_t start = 0;
  for (char separator : {'\\', '/', ':'}) {
    const size_t at = text::FindLastSingle(path, separator);
    if (at != std::string_view::npos && at + 1 > start) start = at + 1;
  }
  const std::string_view name = path.substr(start);
  if (name.empty()) return false;
  // A trail byte is never a dot or a blank in code page 936.
  return name.back() != '.' && name.back() != ' ';
}

size_t CharacterCount(std::string_view path) {
  size_t n = 0;
  for (size_t i = 0; i < path.size(); ++i, ++n) {
    if (text::IsLeadByte(static_cast<unsigned char>(path[i]))) ++i;
  }
  return n;
}

bool FitsMaxPath(std::string_view path) { return CharacterCount(path) <= kMaxPathCharacters; }

}  // namespace lock
