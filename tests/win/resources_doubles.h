// Test doubles and disk helpers for the resources tests (extraction, skin
// binding, skin engine): a recorder for the interactive seam, inert
// Surface/Profile/Registry, the real file layer to extend, and temporary
// folders.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doubles.h"
#include "platform/context.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace testing_resources {

struct ShownMessage {
  std::string text;
  std::string title;
  ui::Icon icon;
};

class RecorderInteraction : public ui::Interaction {
 public:
  std::vector<ShownMessage> messages;
  std::function<void(const ShownMessage&)> onMessage;  // runs while the "box" is up

  void ShowMessage(const std::string& message, const std::string& title, ui::Icon icon) override {
    messages.push_back({message, title, icon});
    if (onMessage) onMessage(messages.back());
  }
  std::string ChooseFolder(const std::string&) override { return std::string(); }
  void OpenFolder(const std::string&) override {}
  void Pause(unsigned) override {}
};

class NullSurface : public ui::Surface {
 public:
  std::string Text(ui::Name) override { return std::string(); }
  void SetText(ui::Name, const std::string&) override {}
  bool Checked(ui::Name) override { return false; }
  void SetChecked(ui::Name, bool) override {}
  int CurrentTab() override { return 0; }
  void SetCurrentTab(int) override {}
  void SetAlwaysOnTop(bool) override {}
  void SetAddress(ui::Name, const std::string&) override {}
  void SetFocus(ui::Name) override {}
  void* WindowHandle(ui::Name) override { return nullptr; }
  void Close() override {}
};

using testing_doubles::NullProfile;
using testing_doubles::NullRegistry;

// The program's own file layer, behind a class that tests can extend.
class Win32Files : public platform::Files {
 public:
  uint32_t Attributes(const std::string& path) override { return real().Attributes(path); }
  bool Exists(const std::string& path) override { return real().Exists(path); }
  std::optional<uint64_t> FileSize(const std::string& path) override { return real().FileSize(path); }
  bool Move(const std::string& from, const std::string& to) override { return real().Move(from, to); }
  bool MoveReplace(const std::string& from, const std::string& to) override { return real().MoveReplace(from, to); }
  bool Delete(const std::string& path) override { return real().Delete(path); }
  bool ReadBlocks(const std::string& path, const std::function<bool(std::string_view)>& consume) override {
    return real().ReadBlocks(path, consume);
  }
  bool WriteAll(const std::string& path, std::string_view content) override { return real().WriteAll(path, content); }
  uint32_t LastError() override { return real().LastError(); }

 private:
  static platform::Files& real() { return platform::RealFiles(); }
};

// Passes everything on and notes what was tested and written.
class RecordingFiles : public Win32Files {
 public:
  std::vector<std::string> existsCalls;
  std::vector<std::string> writeCalls;
  std::vector<bool> writeResults;

  bool Exists(const std::string& path) override {
    existsCalls.push_back(path);
    return Win32Files::Exists(path);
  }
  bool WriteAll(const std::string& path, std::string_view content) override {
    writeCalls.push_back(path);
    writeResults.push_back(Win32Files::WriteAll(path, content));
    return writeResults.back();
  }
};

// One Context out of the doubles; the files may be swapped per test.
struct TestContext {
  RecorderInteraction interaction;
  NullSurface surface;
  NullProfile profile;
  NullRegistry registry;
  Win32Files plainFiles;
  Context ctx;

  explicit TestContext(const std::string& runDirectory, platform::Files* files = nullptr)
      : ctx{surface, interaction, files ? *files : plainFiles, profile, registry, Program{runDirectory, "Talvenor.exe"}} {}
};

inline bool IsDirectory(const std::string& path) {
  const DWORD a = GetFileAttributesA(path.c_str());
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

inline void RemoveTree(const std::string& path) {
  WIN32_FIND_DATAA data;
  HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      const std::string name = data.cFileName;
      if (name == "." || name == "..") continue;
      const std::string child = path + "\\" + name;
      SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveTree(child);
      else DeleteFileA(child.c_str());
    } while (FindNextFileA(find, &data));
    FindClose(find);
  }
  RemoveDirectoryA(path.c_str());
}

// A fresh, empty folder under %TEMP%, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    static unsigned counter = 0;
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string dir = base;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    path_ = dir + "\\talvenor-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
    RemoveTree(path_);
    CreateDirectoryA(path_.c_str(), nullptr);
  }
  ~TempDir() { RemoveTree(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + "\\" + name; }

 private:
  std::string path_;
};

inline bool ReadWholeFile(const std::string& path, std::string& out) {
  out.clear();
  return Win32Files().ReadBlocks(path, [&out](std::string_view block) {
    out.append(block.data(), block.size());
    return true;
  });
}

inline std::string FileBytes(const std::string& path) {
  std::string bytes;
  ReadWholeFile(path, bytes);
  return bytes;
}

inline bool WriteWholeFile(const std::string& path, std::string_view bytes) {
  return Win32Files().WriteAll(path, bytes);
}

// A build output named by its Unix path (compile definitions), as Wine's Z:.
inline std::string BuildFile(const char* unixPath) {
  std::string path = std::string("Z:") + unixPath;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

// The folder of the running test executable, where the test DLLs are built.
inline std::string ExecutableDirectory() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string dir = path;
  return dir.substr(0, dir.find_last_of('\\'));
}

}  // namespace testing_resources
