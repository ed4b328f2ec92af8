// The resources inside the built Talvenor.exe: the seven-image icon and the
// version texts as Windows reads them back. The executable's path comes as
// the first argument (a Unix path, reached through Wine's drive Z:).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

std::string g_exe;

#pragma pack(push, 2)
struct GroupEntry {
  BYTE width, height, colours, reserved;
  WORD planes, bitCount;
  DWORD bytes;
  WORD id;
};
struct GroupHeader {
  WORD reserved, type, count;
};
#pragma pack(pop)

TEST(Executable, IconHasSevenImages) {
  HMODULE module = LoadLibraryExA(g_exe.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(module, nullptr) << g_exe << " error " << GetLastError();
  HRSRC res = FindResourceA(module, MAKEINTRESOURCEA(1), RT_GROUP_ICON);
  ASSERT_NE(res, nullptr);
  const auto* header = static_cast<const GroupHeader*>(LockResource(LoadResource(module, res)));
  ASSERT_NE(header, nullptr);
  const auto* entries = reinterpret_cast<const GroupEntry*>(header + 1);
  std::multiset<std::pair<int, int>> images;
  for (int i = 0; i < header->count; ++i) images.insert({entries[i].width ? entries[i].width : 256, entries[i].bitCount});
  const std::multiset<std::pair<int, int>> expected = {{48, 8}, {32, 8}, {16, 8}, {128, 32}, {48, 32}, {32, 32}, {16, 32}};
  EXPECT_EQ(images, expected);
  FreeLibrary(module);
}

TEST(Executable, VersionTexts) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(g_exe.c_str(), &ignored);
  ASSERT_GT(size, 0u);
  std::vector<char> data(size);
  ASSERT_TRUE(GetFileVersionInfoA(g_exe.c_str(), 0, size, data.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  ASSERT_TRUE(VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len));
  EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwFileVersionLS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionMS, MAKELONG(0, 1));
  EXPECT_EQ(fixed->dwProductVersionLS, MAKELONG(0, 1));
  struct { const char* key; const char* value; } rows[] = {
      {"FileDescription", "加密文件夹"}, {"ProductName", "OskaranTalvenor"},
      {"CompanyName", "Oskaran"}, {"Comments", "Talvenor"}, {"FileVersion", "1.0.1.0"}};
  for (const auto& r : rows) {
    char* value = nullptr;
    const std::string query = std::string("\\StringFileInfo\\080404b0\\") + r.key;
    ASSERT_TRUE(VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &len)) << r.key;
    EXPECT_STREQ(value, r.value) << r.key;
  }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: app_exe_resources_test PATH-TO-Talvenor.exe\n");
    return 2;
  }
  g_exe = argv[1];
  if (!g_exe.empty() && g_exe[0] == '/') {
    std::replace(g_exe.begin(), g_exe.end(), '/', '\\');
    g_exe = "Z:" + g_exe;
  }
  return RUN_ALL_TESTS();
}
