// The Explorer verb in the real registry of the test's prefix.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "settings/menu_entry.h"
#include "settings_support.h"

namespace settings_test {
namespace {

class MenuEntryTest : public ::testing::Test {
 protected:
  void SetUp() override { ClearMenuEntry(); }
  void TearDown() override { ClearMenuEntry(); }
};

// The verb key with no value of its own and the command key with only its
// default value.
std::string EntryDump(const std::string& verbKey, const std::string& command) {
  return "[" + verbKey + "]\n[" + verbKey + "\\command]\n  @ type 1 = " + command +
         std::string(1, '\0') + "\n";
}

TEST_F(MenuEntryTest, TheCommandReachesTheRegistryByteForByte) {
  struct Row {
    const char* label;
    std::string runDirectory, executable, command;
  } rows[] = {
      {"drive root", "D:", "lock.exe", "\"D:\\lock.exe\" \"%1\""},
      // C:\加密\工具 running 文件.exe, spelled in code page 936 bytes.
      {"Chinese run directory", "C:\\\xBC\xD3\xC3\xDC\\\xB9\xA4\xBE\xDF", "\xCE\xC4\xBC\xFE.exe",
       "\"C:\\\xBC\xD3\xC3\xDC\\\xB9\xA4\xBE\xDF\\\xCE\xC4\xBC\xFE.exe\" \"%1\""},
      // 嘰 is 87 5C: its trail byte and the joining backslash are no pair.
      {"trail byte 5C at the end of the run directory", "C:\\\x87\x5C", "Talvenor.exe",
       "\"C:\\\x87\x5C\\Talvenor.exe\" \"%1\""},
      {"network path", "\\\\server\\share\\tools", "Talvenor.exe",
       "\"\\\\server\\share\\tools\\Talvenor.exe\" \"%1\""},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.label);
    ClearMenuEntry();
    Harness h(row.runDirectory, row.executable);

    InstallMenuEntry(h.ctx);

    const StoredValue value = QueryValue(HKEY_CLASSES_ROOT, kCommandKey);
    EXPECT_TRUE(value.present);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data.size(), row.command.size() + 1);
    EXPECT_EQ(value.data, WithZero(row.command));
    EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey), EntryDump(kVerbKey, row.command));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserVerbKey));
  }
}

TEST_F(MenuEntryTest, InstallingAgainLeavesOneEntryNamingTheLatestPlace) {
  Harness first("C:\\Tools");
  InstallMenuEntry(first.ctx);
  InstallMenuEntry(first.ctx);
  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey),
            EntryDump(kVerbKey, "\"C:\\Tools\\Talvenor.exe\" \"%1\""));

  // The executable was moved and started again.
  Harness moved("D:\\Elsewhere");
  InstallMenuEntry(moved.ctx);
  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey),
            EntryDump(kVerbKey, "\"D:\\Elsewhere\\Talvenor.exe\" \"%1\""));
}

TEST_F(MenuEntryTest, RemovalDeletesCommandThenVerb) {
  Harness h("C:\\Tools");
  InstallMenuEntry(h.ctx);
  const std::string shellBefore = DumpTree(HKEY_CLASSES_ROOT, "Folder\\shell");
  ASSERT_NE(shellBefore.find("Talvenor"), std::string::npos);

  RemoveMenuEntry(h.ctx);

  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
  // The rest of Folder\shell is untouched.
  EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "Folder\\shell"));
  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, "Folder\\shell").find("Talvenor"), std::string::npos);
}

TEST_F(MenuEntryTest, RemovingWithoutAnEntryChangesNothing) {
  const std::string machine = DumpTree(HKEY_CLASSES_ROOT, "Folder");
  const std::string user = DumpTree(HKEY_CURRENT_USER, "Software\\Classes");
  Harness h("C:\\Tools");

  RemoveMenuEntry(h.ctx);
  RemoveMenuEntry(h.ctx);

  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, "Folder"), machine);
  EXPECT_EQ(DumpTree(HKEY_CURRENT_USER, "Software\\Classes"), user);
}

TEST_F(MenuEntryTest, AVerbKeyWithSomebodyElsesSubkeyStays) {
  Harness h("C:\\Tools");
  InstallMenuEntry(h.ctx);
  HKEY other = nullptr;
  ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, "Folder\\shell\\Talvenor\\other", &other),
            ERROR_SUCCESS);
  RegCloseKey(other);

  RemoveMenuEntry(h.ctx);

  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kCommandKey));
  EXPECT_EQ(DumpTree(HKEY_CLASSES_ROOT, kVerbKey),
            "[Folder\\shell\\Talvenor]\n[Folder\\shell\\Talvenor\\other]\n");
}

// ---- Per user, when the machine-wide write fails ----

TEST_F(MenuEntryTest, AFailedMachineWideWriteInstallsTheEntryPerUser) {
  const std::string command = "\"C:\\Tools\\Talvenor.exe\" \"%1\"";
  for (auto failure : {RecordingRegistry::MachineWrite::Fails,
                       RecordingRegistry::MachineWrite::FailsAfterCreatingKeys}) {
    SCOPED_TRACE(failure == RecordingRegistry::MachineWrite::Fails ? "nothing written"
                                                                   : "keys left behind");
    ClearMenuEntry();
    Harness h("C:\\Tools");
    h.registry.machineWrite = failure;

    InstallMenuEntry(h.ctx);

    // Both keys in the one hive: nothing of the entry stays machine-wide.
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
    EXPECT_EQ(DumpTree(HKEY_CURRENT_USER, kUserVerbKey), EntryDump(kUserVerbKey, command));
    const StoredValue value = QueryValue(HKEY_CURRENT_USER, kUserCommandKey);
    EXPECT_EQ(value.type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(value.data, WithZero(command));
  }
}

TEST_F(MenuEntryTest, AWorkingMachineWideWriteLeavesTheUserHiveAlone) {
  Harness h("C:\\Tools");
  InstallMenuEntry(h.ctx);
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserVerbKey));
  EXPECT_EQ(h.log, (Log{"reg write HKCR Folder\\shell\\Talvenor\\command\\ = "
                        "\"C:\\Tools\\Talvenor.exe\" \"%1\""}));
}

TEST_F(MenuEntryTest, RemovalRemovesTheEntryFromBothPlaces) {
  Harness machine("C:\\Tools");
  InstallMenuEntry(machine.ctx);
  // A per-user entry from an earlier start without administrator rights.
  platform::RealRegistry().WriteText(platform::RegistryRoot::CurrentUser,
                                     "Software\\Classes\\Folder\\shell\\Talvenor\\command\\",
                                     "\"D:\\Tools\\Talvenor.exe\" \"%1\"");
  ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
  ASSERT_TRUE(KeyExists(HKEY_CURRENT_USER, kUserVerbKey));

  RemoveMenuEntry(machine.ctx);

  EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kVerbKey));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kUserVerbKey));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Classes"));
}

// ---- The registry layer's path convention ----

TEST(RegistryLayer, PathsNameValuesOrKeys) {
  platform::Registry& registry = platform::RealRegistry();
  const auto root = platform::RegistryRoot::CurrentUser;
  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TalvenorTest");

  // Missing parents are created; the last part names the value.
  EXPECT_TRUE(registry.WriteText(root, "Software\\TalvenorTest\\a\\b\\", "default"));
  EXPECT_TRUE(registry.WriteText(root, "Software\\TalvenorTest\\a\\b", "named"));
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a\\b").data,
            WithZero("default"));
  EXPECT_EQ(QueryValue(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a", "b").data,
            WithZero("named"));

  // A value of that name goes first, and only the value.
  EXPECT_TRUE(registry.Delete(root, "Software\\TalvenorTest\\a\\b"));
  EXPECT_FALSE(QueryValue(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a", "b").present);
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a\\b"));
  // Then the key of that name.
  EXPECT_TRUE(registry.Delete(root, "Software\\TalvenorTest\\a\\b"));
  EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a\\b"));
  // Nothing left of either name.
  EXPECT_FALSE(registry.Delete(root, "Software\\TalvenorTest\\a\\b"));

  // A key with a subkey is not deleted.
  EXPECT_TRUE(registry.WriteText(root, "Software\\TalvenorTest\\a\\c\\", "x"));
  EXPECT_FALSE(registry.Delete(root, "Software\\TalvenorTest\\a"));
  EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\TalvenorTest\\a\\c"));

  RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\TalvenorTest");
}

}  // namespace
}  // namespace settings_test
