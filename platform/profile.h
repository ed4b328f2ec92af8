// The Windows private-profile (INI) functions, behind an interface so that a
// test can record the order of writes against other steps.
#pragma once

#include <string>

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  // GetPrivateProfileStringA with a null default and a 10,240-byte buffer:
  // a missing file, section or key reads as the empty text.
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& file) = 0;
  // WritePrivateProfileStringA; creates the file and the section if missing
  // and replaces an existing value of the key. False when it failed.
  virtual bool Write(const std::string& section, const std::string& key,
                     const std::string& value, const std::string& file) = 0;
};

Profile& RealProfile();

}  // namespace platform
