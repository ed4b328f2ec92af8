// Registry text values and key deletion, behind an interface so that a test
// can make the machine-wide write fail and record the order of steps.
#pragma once

#include <string>

namespace platform {

enum class RegistryRoot { ClassesRoot, CurrentUser };

class Registry {
 public:
  virtual ~Registry() = default;
  // Path convention: split at the last backslash (lead-byte aware); the part
  // before names the key, the part after the value ("" = default value).
  // Opens the key for KEY_WRITE or creates it, then sets a REG_SZ value with
  // its terminating zero counted.
  virtual bool WriteText(RegistryRoot root, const std::string& path, const std::string& value) = 0;
  // Deletes the value the path names, or else the key the whole path names.
  virtual bool Delete(RegistryRoot root, const std::string& path) = 0;
};

Registry& RealRegistry();

}  // namespace platform
