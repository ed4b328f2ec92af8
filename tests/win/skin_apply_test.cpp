// ApplySkin: binding the engine in the run directory (or by the system's
// search), the call it makes, and the fatal error when the engine is not
// usable. Stand-in DLLs (skin_probe.cpp) take the engine's place.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "resources/skin.h"
#include "resources_doubles.h"

using namespace testing_resources;

namespace {

struct ProbeRecord {
  int calls;
  char skinPath[1024];
  bool extraWasEmptyText;
};

const char kFatalText[] =
    "运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“SkinH_EL.dll”中的输出命令“SkinH_AttachEx”\r\n";

std::string ProbeDll() { return ExecutableDirectory() + "\\skin_probe.dll"; }
std::string NoAttachDll() { return ExecutableDirectory() + "\\skin_probe_noattach.dll"; }

void Place(const std::string& dll, const TempDir& dir) {
  ASSERT_TRUE(CopyFileA(dll.c_str(), (dir / "SkinH_EL.dll").c_str(), FALSE)) << dll;
}

bool WasLoaded() {
  char value[4] = {};
  return GetEnvironmentVariableA("SKIN_PROBE_LOADED", value, sizeof value) > 0;
}

const ProbeRecord* RecordOf(HMODULE probe) {
  using Getter = const ProbeRecord*(__stdcall*)();
  void* address = reinterpret_cast<void*>(GetProcAddress(probe, "Probe_Record"));
  return address ? reinterpret_cast<Getter>(address)() : nullptr;
}

// The module of that file, if it is loaded.
HMODULE Loaded(const std::string& path) { return GetModuleHandleA(path.c_str()); }

// The program runs with the run directory as its current directory.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& dir) {
    GetCurrentDirectoryA(MAX_PATH, old_);
    SetCurrentDirectoryA(dir.c_str());
  }
  ~CurrentDirectory() { SetCurrentDirectoryA(old_); }

 private:
  char old_[MAX_PATH] = {};
};

class ApplySkinTest : public ::testing::Test {
 protected:
  void SetUp() override { SetEnvironmentVariableA("SKIN_PROBE_LOADED", nullptr); }
  void TearDown() override { ReleaseSkinEngine(); }
};

struct FatalRow {
  const char* label;
  std::function<void(const TempDir&)> prepare;
  bool loads;  // the file is a library that loads
};

TEST_F(ApplySkinTest, UnusableEngineIsFatal) {
  const FatalRow rows[] = {
      {"no SkinH_EL.dll anywhere", [](const TempDir&) {}, false},
      {"a junk file named SkinH_EL.dll",
       [](const TempDir& dir) { WriteWholeFile(dir / "SkinH_EL.dll", "MZ but no library at all"); }, false},
      {"a library without SkinH_AttachEx", [](const TempDir& dir) { Place(NoAttachDll(), dir); }, true},
  };
  for (const FatalRow& row : rows) {
    SCOPED_TRACE(row.label);
    SetEnvironmentVariableA("SKIN_PROBE_LOADED", nullptr);
    TempDir dir;
    row.prepare(dir);
    CurrentDirectory cd(dir.path());
    TestContext test(dir.path());
    const std::string dll = dir / "SkinH_EL.dll";
    bool releasedBeforeMessage = false;
    test.interaction.onMessage = [&](const ShownMessage&) { releasedBeforeMessage = !Loaded(dll); };

    EXPECT_FALSE(ApplySkin(test.ctx));

    ASSERT_EQ(test.interaction.messages.size(), 1u);
    const ShownMessage& shown = test.interaction.messages[0];
    EXPECT_EQ(shown.text, kFatalText);
    EXPECT_EQ(shown.title, "错误");
    EXPECT_EQ(shown.title, "\xB4\xED\xCE\xF3");  // code page 936 bytes, not UTF-8
    EXPECT_EQ(shown.icon, ui::Icon::Error);
    EXPECT_EQ(WasLoaded(), row.loads);
    EXPECT_TRUE(releasedBeforeMessage);
    EXPECT_EQ(Loaded(dll), nullptr);
  }
}

TEST_F(ApplySkinTest, CallsTheEngineInTheRunDirectory) {
  TempDir dir;
  Place(ProbeDll(), dir);
  CurrentDirectory cd(dir.path());
  TestContext test(dir.path());

  EXPECT_TRUE(ApplySkin(test.ctx));

  EXPECT_TRUE(test.interaction.messages.empty());
  HMODULE engine = Loaded(dir / "SkinH_EL.dll");
  ASSERT_NE(engine, nullptr);
  const ProbeRecord* record = RecordOf(engine);
  ASSERT_NE(record, nullptr);
  EXPECT_EQ(record->calls, 1);
  EXPECT_STREQ(record->skinPath, (dir / "skin.she").c_str());  // missing: the engine copes
  EXPECT_TRUE(record->extraWasEmptyText);

  ReleaseSkinEngine();
  EXPECT_EQ(Loaded(dir / "SkinH_EL.dll"), nullptr);
}

// The run directory's library is tried first; the system's search (which
// takes in the current directory) only when that fails.
TEST_F(ApplySkinTest, LoadOrder) {
  const struct {
    const char* label;
    bool inRunDirectory;
    const char* inCurrentDirectory;  // which stand-in the search would find
    bool expectRunDirectory;
  } rows[] = {
      {"run directory only", true, nullptr, true},
      {"current directory only", false, "probe", false},
      {"run directory wins over the search", true, "noattach", true},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    TempDir run, other;
    if (row.inRunDirectory) Place(ProbeDll(), run);
    if (row.inCurrentDirectory)
      Place(std::string(row.inCurrentDirectory) == "probe" ? ProbeDll() : NoAttachDll(), other);
    CurrentDirectory cd(other.path());
    TestContext test(run.path());

    EXPECT_TRUE(ApplySkin(test.ctx));
    EXPECT_TRUE(test.interaction.messages.empty());
    const std::string expected = (row.expectRunDirectory ? run : other) / "SkinH_EL.dll";
    HMODULE engine = Loaded(expected);
    ASSERT_NE(engine, nullptr) << expected;
    const ProbeRecord* record = RecordOf(engine);
  ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->calls, 1);
    EXPECT_STREQ(record->skinPath, (run / "skin.she").c_str());
    ReleaseSkinEngine();
  }
}

}  // namespace
