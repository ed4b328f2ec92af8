// The real private-profile functions; texts in the ANSI code page.
#include "platform/profile.h"

#include <windows.h>

#include <vector>

namespace platform {
namespace {

constexpr DWORD kReadBufferSize = 10240;

class WinProfile final : public Profile {
 public:
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& file) override {
    std::vector<char> buffer(kReadBufferSize, '\0');
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), nullptr,
                                                  buffer.data(), kReadBufferSize, file.c_str());
    // The result counts the bytes copied, at most one less than the buffer.
    return std::string(buffer.data(), length < kReadBufferSize ? length : kReadBufferSize - 1);
  }

  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) override {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      file.c_str()) != FALSE;
  }
};

}  // namespace

Profile& RealProfile() {
  static WinProfile instance;
  return instance;
}

}  // namespace platform
