// What the folder-locking tests share: a temporary folder per test, disk
// helpers that see the exact names on disk, a file layer that can be told to
// fail one call, and a fixture that wires the operations to a recorder.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "doubles.h"
#include "fake_surface.h"
#include "lock/operations.h"
#include "platform/context.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"

namespace locktest {

using testing_doubles::NullProfile;
using testing_doubles::NullRegistry;
using testing_doubles::RecordingInteraction;

// ---- exact disk access ----------------------------------------------------
// "\\?\" paths skip Windows path resolution, so these helpers see "name."
// as the on-disk name it is, whatever the operations under test do.

std::wstring Wide(const std::string& text);
std::string Narrow(const std::wstring& text);
std::wstring Exact(const std::string& path);

void MakeDir(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);
std::optional<std::string> ReadBytes(const std::string& path);
bool IsDir(const std::string& path);
bool IsFile(const std::string& path);
std::vector<std::string> NamesIn(const std::string& dir);  // sorted on-disk names
// Every entry below dir: relative path to content, "<dir>" for a folder.
std::map<std::string, std::string> Tree(const std::string& dir);
void RemoveTree(const std::string& dir);
void SetReadOnly(const std::string& path, bool on);

// A fresh folder under %TEMP%, removed with everything in it afterwards.
class TempRoot {
 public:
  TempRoot();
  ~TempRoot();
  TempRoot(const TempRoot&) = delete;
  TempRoot& operator=(const TempRoot&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

// Another process holds the file open without sharing, as an editor or a
// virus scanner might. (Within one process Wine lets a second open through.)
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path);
  ~HeldOpen();
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool holding() const { return holding_; }

 private:
  PROCESS_INFORMATION process_{};
  HANDLE toChild_ = nullptr;
  bool holding_ = false;
};

// ---- the file layer with faults ---------------------------------------------

// Passes every call to the real functions, logs the ones that change the
// disk, and makes the chosen call fail for the faults Wine cannot provoke.
class FaultyFiles : public platform::Files {
 public:
  enum Call { kAttributes, kExists, kFileSize, kMove, kMoveReplace, kDelete, kReadBlocks, kWriteAll, kCalls };

  explicit FaultyFiles(platform::Files& real) : real_(real) {}

  // The nth call of that kind (counted from 1) fails; 0 makes every one fail.
  // A failing WriteAll writes the first half of its content, like a full disk.
  void Fail(Call call, int nth = 0) {
    armed_[call] = true;
    failAt_[call] = nth;
  }

  // No faults armed, nothing logged, counts from zero.
  void Reset() {
    armed_ = {};
    failAt_ = {};
    count_ = {};
    log.clear();
    errors.clear();
  }

  std::vector<std::string> log;  // "Move a -> b", "MoveReplace a -> b", "Delete p", "WriteAll p"
  // The Windows error of every real call that failed, in order: proof that a
  // fault provoked for real is the one meant.
  std::vector<uint32_t> errors;

  uint32_t Attributes(const std::string& path) override {
    return Failing(kAttributes) ? platform::kInvalidAttributes : real_.Attributes(path);
  }
  bool Exists(const std::string& path) override {
    return !Failing(kExists) && real_.Exists(path);
  }
  std::optional<uint64_t> FileSize(const std::string& path) override {
    if (Failing(kFileSize)) return std::nullopt;
    return real_.FileSize(path);
  }
  bool Move(const std::string& from, const std::string& to) override {
    log.push_back("Move " + from + " -> " + to);
    return !Failing(kMove) && Real(real_.Move(from, to));
  }
  bool MoveReplace(const std::string& from, const std::string& to) override {
    log.push_back("MoveReplace " + from + " -> " + to);
    return !Failing(kMoveReplace) && Real(real_.MoveReplace(from, to));
  }
  bool Delete(const std::string& path) override {
    log.push_back("Delete " + path);
    return !Failing(kDelete) && Real(real_.Delete(path));
  }
  bool ReadBlocks(const std::string& path,
                  const std::function<bool(std::string_view)>& consume) override {
    return !Failing(kReadBlocks) && Real(real_.ReadBlocks(path, consume));
  }
  bool WriteAll(const std::string& path, std::string_view content) override {
    log.push_back("WriteAll " + path);
    if (Failing(kWriteAll)) {
      real_.WriteAll(path, content.substr(0, content.size() / 2));
      return false;
    }
    return Real(real_.WriteAll(path, content));
  }
  uint32_t LastError() override { return real_.LastError(); }

 private:
  bool Real(bool ok) {
    if (!ok) errors.push_back(real_.LastError());
    return ok;
  }
  bool Failing(Call call) {
    const int n = ++count_[call];
    return armed_[call] && (failAt_[call] == 0 || failAt_[call] == n);
  }

  platform::Files& real_;
  std::array<bool, kCalls> armed_{};
  std::array<int, kCalls> failAt_{};
  std::array<int, kCalls> count_{};
};

// ---- the fixture --------------------------------------------------------------

class LockTest : public ::testing::Test {
 protected:
  TempRoot root;
  FakeSurface ui;
  RecordingInteraction seam;
  FaultyFiles files{platform::RealFiles()};
  NullProfile profile;
  NullRegistry registry;
  Context ctx{ui, seam, files, profile, registry, Program{}};

  std::string At(const std::string& relative) const { return root.path() + "\\" + relative; }

  // A folder with a little content of every kind, to check it comes back whole.
  std::string MakeFolder(const std::string& relative);

  // A folder as the lock leaves it on disk: named "name." with its mm.dat,
  // made without the code under test. Returns the locked path (P + ".").
  std::string MakeLocked(const std::string& relative, std::string_view storedBytes);

  // As a user does it: route the path, type the password twice, press the button.
  void LockAsUser(const std::string& folder, const std::string& password);
  // Route the locked path, type the password, press the button.
  void UnlockAsUser(const std::string& locked, const std::string& password);

  void ExpectMessage(const std::string& text, const std::string& title, ui::Icon icon);
  void ExpectNoMessage();
};

}  // namespace locktest
