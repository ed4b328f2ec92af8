// The Windows private-profile (INI) functions, behind an interface so that a
// test can record the order of writes against other steps.
#pragma once

#include <string>

namespace platform {

class Profile {
 public:
  virtual ~Profile() = default;
  // GetPrivateProfileStringA with an empty default and a 10,240-byte buffer.
  virtual std::string Read(const std::string& section, const std::string& key,
                           const std::string& file) = 0;
  // WritePrivateProfileStringA; creates the file and the section if missing.
  virtual bool Write(const std::string& section, const std::string& key,
                     const std::string& value, const std::string& file) = 0;
};

Profile& RealProfile();

}  // namespace platform
