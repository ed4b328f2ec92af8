// Libraries loaded at run time and the resources carried in our own module.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A library loaded with LoadLibraryA and released with FreeLibrary, at the
// latest when its owner goes.
class Library {
 public:
  Library() = default;
  ~Library() { Free(); }
  Library(Library&& other) noexcept : module_(other.module_) { other.module_ = nullptr; }
  Library& operator=(Library&& other) noexcept;
  Library(const Library&) = delete;
  Library& operator=(const Library&) = delete;

  // LoadLibraryA with the path or bare name as given; empty when it fails.
  static Library Load(const std::string& file);

  explicit operator bool() const { return module_ != nullptr; }
  // GetProcAddress by name; nullptr when the library does not export it.
  void* Procedure(const char* name) const;
  // FreeLibrary now; the object is empty afterwards.
  void Free();

 private:
  void* module_ = nullptr;
};

// The bytes of the RCDATA resource `id` of the module this code is linked
// into (FindResource, LoadResource, LockResource, SizeofResource). The bytes
// live as long as the module; empty when there is no such resource.
std::string_view ModuleResource(int id);

}  // namespace platform
