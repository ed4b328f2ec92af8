#include "lock_fixture.h"

#include <algorithm>

namespace locktest {

std::wstring Wide(const std::string& text) {
  if (text.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string Narrow(const std::wstring& text) {
  if (text.empty()) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

std::wstring Exact(const std::string& path) { return L"\\\\?\\" + Wide(path); }

void MakeDir(const std::string& path) {
  ASSERT_TRUE(CreateDirectoryW(Exact(path).c_str(), nullptr))
      << path << " error " << GetLastError();
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  HANDLE h = CreateFileW(Exact(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << path << " error " << GetLastError();
  DWORD wrote = 0;
  const BOOL ok = WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr);
  CloseHandle(h);
  ASSERT_TRUE(ok && wrote == bytes.size()) << path;
}

std::optional<std::string> ReadBytes(const std::string& path) {
  HANDLE h = CreateFileW(Exact(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string out;
  char buffer[65536];
  DWORD got = 0;
  while (ReadFile(h, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
  CloseHandle(h);
  return out;
}

static DWORD ExactAttributes(const std::string& path) {
  return GetFileAttributesW(Exact(path).c_str());
}

bool IsDir(const std::string& path) {
  const DWORD a = ExactAttributes(path);
  return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

bool IsFile(const std::string& path) {
  const DWORD a = ExactAttributes(path);
  return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

namespace {

struct Entry {
  std::string name;
  bool dir;
};

std::vector<Entry> List(const std::string& dir) {
  std::vector<Entry> out;
  WIN32_FIND_DATAW data;
  HANDLE h = FindFirstFileW((Exact(dir) + L"\\*").c_str(), &data);
  if (h == INVALID_HANDLE_VALUE) return out;
  do {
    const std::wstring name = data.cFileName;
    if (name == L"." || name == L"..") continue;
    out.push_back({Narrow(name), (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
  } while (FindNextFileW(h, &data));
  FindClose(h);
  std::sort(out.begin(), out.end(), [](const Entry& a, const Entry& b) { return a.name < b.name; });
  return out;
}

void AddTree(const std::string& dir, const std::string& prefix,
             std::map<std::string, std::string>& out) {
  for (const Entry& e : List(dir)) {
    const std::string full = dir + "\\" + e.name;
    if (e.dir) {
      out[prefix + e.name + "\\"] = "<dir>";
      AddTree(full, prefix + e.name + "\\", out);
    } else {
      out[prefix + e.name] = ReadBytes(full).value_or("<unreadable>");
    }
  }
}

}  // namespace

std::vector<std::string> NamesIn(const std::string& dir) {
  std::vector<std::string> out;
  for (const Entry& e : List(dir)) out.push_back(e.name);
  return out;
}

std::map<std::string, std::string> Tree(const std::string& dir) {
  std::map<std::string, std::string> out;
  AddTree(dir, "", out);
  return out;
}

void SetReadOnly(const std::string& path, bool on) {
  const DWORD a = ExactAttributes(path);
  ASSERT_NE(a, INVALID_FILE_ATTRIBUTES) << path;
  SetFileAttributesW(Exact(path).c_str(), on ? (a | FILE_ATTRIBUTE_READONLY)
                                             : (a & ~FILE_ATTRIBUTE_READONLY));
}

void RemoveTree(const std::string& dir) {
  for (const Entry& e : List(dir)) {
    const std::string full = dir + "\\" + e.name;
    SetFileAttributesW(Exact(full).c_str(), FILE_ATTRIBUTE_NORMAL);
    if (e.dir) {
      RemoveTree(full);
    } else {
      DeleteFileW(Exact(full).c_str());
    }
  }
  RemoveDirectoryW(Exact(dir).c_str());
}

TempRoot::TempRoot() {
  static int counter = 0;
  char temp[MAX_PATH];
  const DWORD n = GetTempPathA(MAX_PATH, temp);
  std::string base(temp, n);
  if (!base.empty() && base.back() == '\\') base.pop_back();
  path_ = base + "\\lk" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
  RemoveTree(path_);
  MakeDir(path_);
}

TempRoot::~TempRoot() { RemoveTree(path_); }

HeldOpen::HeldOpen(const std::string& path) {
  char self[MAX_PATH];
  const DWORD n = GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string exe(self, n);
  exe = exe.substr(0, exe.rfind('\\') + 1) + "lock_holder.exe";

  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE childIn = nullptr, childOut = nullptr, fromChild = nullptr;
  if (!CreatePipe(&childIn, &toChild_, &inherit, 0)) return;
  if (!CreatePipe(&fromChild, &childOut, &inherit, 0)) return;
  SetHandleInformation(toChild_, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(fromChild, HANDLE_FLAG_INHERIT, 0);

  STARTUPINFOA si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdInput = childIn;
  si.hStdOutput = childOut;
  si.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  std::string command = "\"" + exe + "\" \"" + path + "\"";
  const BOOL started = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0,
                                      nullptr, nullptr, &si, &process_);
  CloseHandle(childIn);
  CloseHandle(childOut);
  if (started) {
    char answer = 0;
    DWORD got = 0;
    holding_ = ReadFile(fromChild, &answer, 1, &got, nullptr) && got == 1 && answer == '1';
  }
  CloseHandle(fromChild);
  EXPECT_TRUE(holding_) << "the holder could not open " << path;
}

HeldOpen::~HeldOpen() {
  if (toChild_) CloseHandle(toChild_);  // end of input: the holder closes the file and exits
  if (process_.hProcess) {
    WaitForSingleObject(process_.hProcess, 20000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

// ---- fixture helpers ------------------------------------------------------------

std::string LockTest::MakeFolder(const std::string& relative) {
  const std::string folder = At(relative);
  MakeDir(folder);
  WriteBytes(folder + "\\readme.txt", "hello\r\n");
  MakeDir(folder + "\\sub");
  WriteBytes(folder + "\\sub\\data.bin", std::string("\x00\x01\xFF\x1A\r\n", 6));
  WriteBytes(folder + "\\sub\\空.txt", "");
  return folder;
}

std::string LockTest::MakeLocked(const std::string& relative, std::string_view storedBytes) {
  const std::string locked = At(relative) + ".";
  MakeDir(locked);
  WriteBytes(locked + "\\readme.txt", "hello\r\n");
  WriteBytes(locked + "\\mm.dat", storedBytes);
  return locked;
}

void LockTest::LockAsUser(const std::string& folder, const std::string& password) {
  RoutePath(ctx, folder);
  ui.texts["加密_密码"] = password;
  ui.texts["加密_密码2"] = password;
  LockFolder(ctx);
}

void LockTest::UnlockAsUser(const std::string& locked, const std::string& password) {
  RoutePath(ctx, locked);
  ui.texts["解密_密码"] = password;
  UnlockFolder(ctx);
}

void LockTest::ExpectMessage(const std::string& text, const std::string& title, ui::Icon icon) {
  ASSERT_EQ(seam.messages.size(), 1u);
  EXPECT_EQ(seam.messages[0].text, text);
  EXPECT_EQ(seam.messages[0].title, title);
  EXPECT_EQ(seam.messages[0].icon, icon);
}

void LockTest::ExpectNoMessage() {
  EXPECT_TRUE(seam.messages.empty()) << seam.messages.front().text;
}

}  // namespace locktest
