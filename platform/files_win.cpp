// The real file functions. Paths go to the A functions unchanged: the lock
// depends on Windows resolving "name..\" to the on-disk name "name.".
#include "platform/files.h"

#include <windows.h>

namespace platform {
namespace {

class ScopedHandle {
 public:
  explicit ScopedHandle(HANDLE h) : h_(h) {}
  ~ScopedHandle() { Close(); }
  ScopedHandle(const ScopedHandle&) = delete;
  ScopedHandle& operator=(const ScopedHandle&) = delete;
  bool Valid() const { return h_ != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return h_; }
  // True when the handle was closed without error.
  bool Close() {
    if (!Valid()) return true;
    const bool ok = CloseHandle(h_) != FALSE;
    h_ = INVALID_HANDLE_VALUE;
    return ok;
  }

 private:
  HANDLE h_;
};

class ScopedFind {
 public:
  ScopedFind(const std::string& path, WIN32_FIND_DATAA* data)
      : h_(FindFirstFileA(path.c_str(), data)) {}
  ~ScopedFind() {
    if (Found()) FindClose(h_);
  }
  ScopedFind(const ScopedFind&) = delete;
  ScopedFind& operator=(const ScopedFind&) = delete;
  bool Found() const { return h_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE h_;
};

constexpr DWORD kReadBlock = 4096;

class WinFiles final : public Files {
 public:
  uint32_t Attributes(const std::string& path) override {
    const DWORD a = GetFileAttributesA(path.c_str());
    if (a == INVALID_FILE_ATTRIBUTES) Remember();
    return a;
  }

  bool Exists(const std::string& path) override {
    WIN32_FIND_DATAA data;
    ScopedFind find(path, &data);
    return Check(find.Found());
  }

  std::optional<uint64_t> FileSize(const std::string& path) override {
    WIN32_FIND_DATAA data;
    ScopedFind find(path, &data);
    if (!Check(find.Found()) || (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      return std::nullopt;
    }
    return (uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
  }

  bool Move(const std::string& from, const std::string& to) override {
    return Check(MoveFileA(from.c_str(), to.c_str()) != FALSE);
  }

  bool MoveReplace(const std::string& from, const std::string& to) override {
    return Check(MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != FALSE);
  }

  bool Delete(const std::string& path) override {
    return Check(DeleteFileA(path.c_str()) != FALSE);
  }

  bool ReadBlocks(const std::string& path,
                  const std::function<bool(std::string_view block)>& consume) override {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Check(file.Valid())) return false;
    char buffer[kReadBlock];
    for (;;) {
      DWORD got = 0;
      if (!Check(ReadFile(file.Get(), buffer, kReadBlock, &got, nullptr) != FALSE)) return false;
      if (got == 0) return true;
      if (!consume(std::string_view(buffer, got))) return true;
    }
  }

  bool WriteAll(const std::string& path, std::string_view content) override {
    ScopedHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!Check(file.Valid())) return false;
    while (!content.empty()) {
      DWORD wrote = 0;
      const DWORD chunk = content.size() > 0x10000 ? 0x10000 : static_cast<DWORD>(content.size());
      if (!Check(WriteFile(file.Get(), content.data(), chunk, &wrote, nullptr) != FALSE) ||
          wrote == 0) {
        return false;
      }
      content.remove_prefix(wrote);
    }
    return Check(file.Close());
  }

  uint32_t LastError() override { return lastError_; }

 private:
  void Remember() { lastError_ = GetLastError(); }
  bool Check(bool ok) {
    if (!ok) Remember();
    return ok;
  }

  uint32_t lastError_ = 0;
};

}  // namespace

Files& RealFiles() {
  static WinFiles instance;
  return instance;
}

}  // namespace platform
