#include "platform/module.h"

#include <windows.h>

namespace platform {

Library& Library::operator=(Library&& other) noexcept {
  if (this != &other) {
    Free();
    module_ = other.module_;
    other.module_ = nullptr;
  }
  return *this;
}

Library Library::Load(const std::string& file) {
  Library library;
  library.module_ = LoadLibraryA(file.c_str());
  return library;
}

void* Library::Procedure(const char* name) const {
  if (!module_) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module_), name));
}

void Library::Free() {
  if (module_) FreeLibrary(static_cast<HMODULE>(module_));
  module_ = nullptr;
}

namespace {

// The module holding this code: the executable, or whatever links it.
HMODULE OwnModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&OwnModule), &module);
  return module;
}

}  // namespace

std::string_view ModuleResource(int id) {
  HMODULE module = OwnModule();
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (!found) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const DWORD size = SizeofResource(module, found);
  const void* bytes = loaded ? LockResource(loaded) : nullptr;
  if (!bytes) return {};
  return std::string_view(static_cast<const char*>(bytes), size);
}

}  // namespace platform
