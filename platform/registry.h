// Registry text values and key deletion, behind an interface so that a test
// can make the machine-wide write fail and record the order of steps.
#pragma once

#include <string>
#include <string_view>

#include "platform/text.h"

namespace platform {

enum class RegistryRoot {
  ClassesRoot,  // HKEY_CLASSES_ROOT
  CurrentUser,  // HKEY_CURRENT_USER
};

// A registry path relative to its root, split at its last backslash (a
// trail byte that equals a backslash does not count): the part before names
// a key, the part after a value in it, "" being the key's default value.
// Without a backslash the whole path names a value of the root itself.
struct RegistryPath {
  std::string key;
  std::string value;
};

inline RegistryPath SplitRegistryPath(std::string_view path) {
  const size_t cut = text::FindLastSingle(path, '\\');
  if (cut == std::string_view::npos) return {std::string(), std::string(path)};
  return {std::string(path.substr(0, cut)), std::string(path.substr(cut + 1))};
}

class Registry {
 public:
  virtual ~Registry() = default;
  // Opens the key of the split path for KEY_WRITE, or else creates it with
  // its missing parents, then sets a REG_SZ value with its terminating zero
  // counted. False when nothing was written.
  virtual bool WriteText(RegistryRoot root, const std::string& path, const std::string& value) = 0;
  // Deletes the value the split path names; when that key does not open or
  // holds no such value, deletes the key the whole path names instead.
  virtual bool Delete(RegistryRoot root, const std::string& path) = 0;
};

Registry& RealRegistry();

}  // namespace platform
