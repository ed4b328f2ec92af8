// Shared pieces of the settings tests: recorders for the control surface and
// for the profile and registry calls (all logging into one event log, so a
// test sees the order of steps across them), temporary run directories and
// registry inspection.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/context.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/ui.h"

namespace settings_test {

using Log = std::vector<std::string>;

inline const char* RootName(platform::RegistryRoot root) {
  return root == platform::RegistryRoot::ClassesRoot ? "HKCR" : "HKCU";
}

// The settings tab's boxes with their form states, and the window's topmost
// state as last set. Setting a box is logged; reading it is not.
class RecordingSurface : public ui::Surface {
 public:
  explicit RecordingSurface(Log& log) : log_(log) {}

  std::map<std::string, bool> checked{{"选择框2", false}, {"选择框3", true}, {"选择框4", false}};
  int topmostCalls = 0;
  bool topmost = false;

  bool Checked(ui::Name control) override {
    auto it = checked.find(control);
    if (it == checked.end()) ADD_FAILURE() << "unknown check box " << control;
    return it != checked.end() && it->second;
  }
  void SetChecked(ui::Name control, bool on) override {
    if (!checked.count(control)) ADD_FAILURE() << "unknown check box " << control;
    checked[control] = on;
    log_.push_back(std::string("check ") + control + (on ? " on" : " off"));
  }
  void SetAlwaysOnTop(bool on) override {
    ++topmostCalls;
    topmost = on;
    log_.push_back(on ? "topmost on" : "topmost off");
  }

  std::string Text(ui::Name control) override { return Unexpected("Text", control), std::string(); }
  void SetText(ui::Name control, const std::string&) override { Unexpected("SetText", control); }
  int CurrentTab() override { return Unexpected("CurrentTab", ""), 0; }
  void SetCurrentTab(int) override { Unexpected("SetCurrentTab", ""); }
  void SetAddress(ui::Name control, const std::string&) override { Unexpected("SetAddress", control); }
  void SetFocus(ui::Name control) override { Unexpected("SetFocus", control ? control : ""); }
  void* WindowHandle(ui::Name control) override {
    return Unexpected("WindowHandle", control ? control : ""), nullptr;
  }
  void Close() override { Unexpected("Close", ""); }

 private:
  void Unexpected(const char* what, ui::Name control) {
    ADD_FAILURE() << "settings called " << what << "(" << control << ")";
  }
  Log& log_;
};

// Settings never waits for a person and reports nothing.
class SilentInteraction : public ui::Interaction {
 public:
  void ShowMessage(const std::string& message, const std::string& title, ui::Icon) override {
    ADD_FAILURE() << "message box: " << title << ": " << message;
  }
  std::string ChooseFolder(const std::string&) override {
    ADD_FAILURE() << "folder browser";
    return std::string();
  }
  void OpenFolder(const std::string& path) override { ADD_FAILURE() << "open " << path; }
  void Pause(unsigned ms) override { ADD_FAILURE() << "pause " << ms; }
};

// The real private-profile functions, with every call logged.
class RecordingProfile : public platform::Profile {
 public:
  explicit RecordingProfile(Log& log) : log_(log) {}
  std::string Read(const std::string& section, const std::string& key,
                   const std::string& file) override {
    log_.push_back("ini read [" + section + "] " + key);
    return platform::RealProfile().Read(section, key, file);
  }
  bool Write(const std::string& section, const std::string& key, const std::string& value,
             const std::string& file) override {
    log_.push_back("ini write [" + section + "] " + key + "=" + value);
    return platform::RealProfile().Write(section, key, value, file);
  }

 private:
  Log& log_;
};

// The real registry, with every call logged. A machine-wide write can be made
// to fail, as it does for a user without administrator rights.
class RecordingRegistry : public platform::Registry {
 public:
  enum class MachineWrite {
    Works,
    Fails,                  // nothing written, as when the key cannot be created
    FailsAfterCreatingKeys  // the keys come into being but the value is not set
  };
  explicit RecordingRegistry(Log& log) : log_(log) {}
  MachineWrite machineWrite = MachineWrite::Works;

  bool WriteText(platform::RegistryRoot root, const std::string& path,
                 const std::string& value) override {
    log_.push_back(std::string("reg write ") + RootName(root) + " " + path + " = " + value);
    if (root == platform::RegistryRoot::ClassesRoot) {
      if (machineWrite == MachineWrite::Fails) return false;
      if (machineWrite == MachineWrite::FailsAfterCreatingKeys) {
        const std::string scratch = path + "scratch";
        platform::RealRegistry().WriteText(root, scratch, "");
        platform::RealRegistry().Delete(root, scratch);
        return false;
      }
    }
    return platform::RealRegistry().WriteText(root, path, value);
  }
  bool Delete(platform::RegistryRoot root, const std::string& path) override {
    log_.push_back(std::string("reg delete ") + RootName(root) + " " + path);
    return platform::RealRegistry().Delete(root, path);
  }

 private:
  Log& log_;
};

// Everything a settings call needs, recorded into one log.
struct Harness {
  explicit Harness(std::string runDirectory, std::string executableName = "Talvenor.exe")
      : surface(log), profile(log), registry(log),
        ctx{surface, interaction, files, profile, registry,
            Program{std::move(runDirectory), std::move(executableName)}} {}

  Log log;
  RecordingSurface surface;
  SilentInteraction interaction;
  platform::Files& files = platform::RealFiles();
  RecordingProfile profile;
  RecordingRegistry registry;
  Context ctx;
};

// A fresh folder under the temporary directory, removed with its contents.
class TempDir {
 public:
  explicit TempDir(const std::string& name) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string dir = base;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    static int serial = 0;
    path_ = dir + "\\talvenor-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++serial) + name;
    EXPECT_TRUE(CreateDirectoryA(path_.c_str(), nullptr)) << path_ << " " << GetLastError();
  }
  ~TempDir() { RemoveTree(path_); }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }

  static void RemoveTree(const std::string& dir) {
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
      do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        const std::string child = dir + "\\" + name;
        SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(child);
        } else {
          DeleteFileA(child.c_str());
        }
      } while (FindNextFileA(find, &data));
      FindClose(find);
    }
    RemoveDirectoryA(dir.c_str());
  }

 private:
  std::string path_;
};

inline bool ReadBytes(const std::string& path, std::string* out) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  out->clear();
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) out->append(buffer, got);
  CloseHandle(file);
  return true;
}

inline std::string BytesOf(const std::string& path) {
  std::string bytes;
  EXPECT_TRUE(ReadBytes(path, &bytes)) << "cannot read " << path;
  return bytes;
}

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE) << path << " " << GetLastError();
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
  ASSERT_EQ(written, bytes.size());
  CloseHandle(file);
}

inline bool IsFile(const std::string& path) {
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A registry default value as it is stored.
struct StoredValue {
  bool present = false;
  DWORD type = REG_NONE;
  std::string data;  // every byte, the terminating zero included
};

inline StoredValue QueryValue(HKEY root, const std::string& key, const char* name = "") {
  StoredValue out;
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return out;
  DWORD size = 0;
  if (RegQueryValueExA(handle, name, nullptr, &out.type, nullptr, &size) == ERROR_SUCCESS) {
    out.data.resize(size);
    if (RegQueryValueExA(handle, name, nullptr, &out.type,
                         reinterpret_cast<BYTE*>(&out.data[0]), &size) == ERROR_SUCCESS) {
      out.data.resize(size);
      out.present = true;
    }
  }
  RegCloseKey(handle);
  return out;
}

inline bool KeyExists(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return false;
  RegCloseKey(handle);
  return true;
}

// A key's whole subtree as text: one line per key and per value (@ is the
// default value), in the registry's order. Empty when the key does not exist.
inline std::string DumpTree(HKEY root, const std::string& key) {
  HKEY handle = nullptr;
  if (RegOpenKeyExA(root, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS) return "";
  std::string out = "[" + key + "]\n";
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    BYTE data[1024];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    if (RegEnumValueA(handle, i, name, &nameSize, nullptr, &type, data, &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    const std::string shown = nameSize ? std::string(name) : std::string("@");
    out += "  " + shown + " type " + std::to_string(type) + " = " +
           std::string(reinterpret_cast<char*>(data), dataSize) + "\n";
  }
  std::vector<std::string> children;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD nameSize = sizeof name;
    if (RegEnumKeyExA(handle, i, name, &nameSize, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    children.push_back(name);
  }
  RegCloseKey(handle);
  for (const auto& child : children) out += DumpTree(root, key + "\\" + child);
  return out;
}

constexpr char kVerbKey[] = "Folder\\shell\\Talvenor";
constexpr char kCommandKey[] = "Folder\\shell\\Talvenor\\command";
constexpr char kUserVerbKey[] = "Software\\Classes\\Folder\\shell\\Talvenor";
constexpr char kUserCommandKey[] = "Software\\Classes\\Folder\\shell\\Talvenor\\command";

// Removes the verb from both hives, so that each test starts without one.
inline void ClearMenuEntry() {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, kVerbKey);
  RegDeleteTreeA(HKEY_CURRENT_USER, kUserVerbKey);
  ASSERT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
  ASSERT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserVerbKey));
}

// The command stored machine-wide, or "" without one.
inline std::string MachineCommand() {
  const StoredValue value = QueryValue(HKEY_CLASSES_ROOT, kCommandKey);
  return value.present ? value.data : "";
}

// Installs a stand-in entry, so that a test can see whether it is removed or
// rewritten.
inline void PlantStaleEntry() {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, kCommandKey, &key), ERROR_SUCCESS);
  const char stale[] = "\"X:\\old\\Talvenor.exe\" \"%1\"";
  RegSetValueExA(key, "", 0, REG_SZ, reinterpret_cast<const BYTE*>(stale), sizeof stale);
  RegCloseKey(key);
}

inline std::string WithZero(const std::string& s) { return s + std::string(1, '\0'); }

}  // namespace settings_test
