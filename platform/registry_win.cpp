// The real registry: the A functions, texts in the ANSI code page.
#include "platform/registry.h"

#include <windows.h>

namespace platform {
namespace {

class ScopedKey {
 public:
  ScopedKey() = default;
  ~ScopedKey() {
    if (key_) RegCloseKey(key_);
  }
  ScopedKey(const ScopedKey&) = delete;
  ScopedKey& operator=(const ScopedKey&) = delete;

  // Opens an existing key for writing.
  bool Open(HKEY base, const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(base, path.c_str(), 0, KEY_WRITE, &key) != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
  }
  // Opens or creates the key, creating its missing parents too.
  bool Create(HKEY base, const std::string& path) {
    HKEY key = nullptr;
    if (RegCreateKeyA(base, path.c_str(), &key) != ERROR_SUCCESS) return false;
    key_ = key;
    return true;
  }
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

HKEY RootKey(RegistryRoot root) {
  switch (root) {
    case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
    case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
  }
  return HKEY_CLASSES_ROOT;
}

class WinRegistry final : public Registry {
 public:
  bool WriteText(RegistryRoot root, const std::string& path, const std::string& value) override {
    const RegistryPath parts = SplitRegistryPath(path);
    const HKEY base = RootKey(root);
    ScopedKey key;
    if (!key.Open(base, parts.key) && !key.Create(base, parts.key)) return false;
    return RegSetValueExA(key.get(), parts.value.c_str(), 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
  }

  bool Delete(RegistryRoot root, const std::string& path) override {
    const RegistryPath parts = SplitRegistryPath(path);
    const HKEY base = RootKey(root);
    {
      ScopedKey key;
      if (key.Open(base, parts.key) &&
          RegDeleteValueA(key.get(), parts.value.c_str()) == ERROR_SUCCESS) {
        return true;
      }
    }
    return RegDeleteKeyA(base, path.c_str()) == ERROR_SUCCESS;
  }
};

}  // namespace

Registry& RealRegistry() {
  static WinRegistry instance;
  return instance;
}

}  // namespace platform
