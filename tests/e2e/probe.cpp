// A small Windows tool with which end-to-end tests look at the real program
// from outside its process, as another program on the same desktop would.
//   probe run EXE [ARGS...]        start EXE, wait for it, print "exit 0x%08X"
//   probe start EXE [ARGS...]      start EXE, print its process id, do not wait
//   probe wait-window TITLE MS     wait for a top-level window titled TITLE,
//                                  print "window X Y W H visible"
//   probe close TITLE              post WM_CLOSE to that window
//   probe version EXE              print the version resource's texts
//   probe messages MS              wait up to MS for message boxes, print each
//                                  one's title and text, press OK
//   probe text TITLE CLASS INDEX   print the text of the INDEX-th descendant
//                                  window of class CLASS
//   probe time-start TITLE EXE [ARGS...]
//                                  start EXE, print "ms N" when a window
//                                  titled TITLE is visible, close it, wait
//   probe rect TITLE ID            print "rect X Y W H visible|hidden" of the
//                                  descendant window with control id ID
//   probe text-id TITLE ID         print the text of the control with that id
//   probe select-tab TITLE INDEX   click along the tab strip (mouse messages
//                                  to the tab control) until tab INDEX is
//                                  selected; print "tab X Y" in screen pixels
//   probe foreground TITLE         bring that window to the foreground
//   probe hotkey-free              exit 0 if Enter can be registered as a
//                                  hotkey here, 1 if another program holds it
// Texts are printed as they are (code page 936), one item a line.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Quote(const char* a) {
  std::string s = "\"";
  s += a;
  s += "\"";
  return s;
}

std::string CommandLineFor(int argc, char** argv, int first) {
  std::string line = Quote(argv[first]);
  for (int i = first + 1; i < argc; ++i) line += " " + std::string(argv[i]);
  return line;
}

bool Start(int argc, char** argv, int first, PROCESS_INFORMATION* pi) {
  STARTUPINFOA si{};
  si.cb = sizeof(si);
  std::string line = CommandLineFor(argc, argv, first);
  return CreateProcessA(argv[first], &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, pi) != FALSE;
}

HWND WaitWindow(const char* title, DWORD ms) {
  const DWORD start = GetTickCount();
  for (;;) {
    HWND w = FindWindowA(nullptr, title);
    if (w && IsWindowVisible(w)) return w;
    if (GetTickCount() - start > ms) return w;
    Sleep(50);
  }
}

struct Found {
  const char* cls;
  int wanted;
  int seen;
  HWND hwnd;
};

BOOL CALLBACK FindChild(HWND w, LPARAM p) {
  Found* f = reinterpret_cast<Found*>(p);
  char cls[64];
  GetClassNameA(w, cls, sizeof(cls));
  if (_stricmp(cls, f->cls) == 0 && f->seen++ == f->wanted) {
    f->hwnd = w;
    return FALSE;
  }
  return TRUE;
}

struct ById {
  int id;
  HWND found;
};

BOOL CALLBACK FindById(HWND c, LPARAM p) {
  auto* b = reinterpret_cast<ById*>(p);
  if (GetDlgCtrlID(c) == b->id) {
    b->found = c;
    return FALSE;
  }
  return TRUE;
}

struct Boxes {
  std::vector<HWND> list;
};

BOOL CALLBACK FindBox(HWND w, LPARAM p) {
  char cls[64];
  GetClassNameA(w, cls, sizeof(cls));
  if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w)) reinterpret_cast<Boxes*>(p)->list.push_back(w);
  return TRUE;
}

std::string TextOf(HWND w) {
  char buffer[4096] = {};
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return buffer;
}

int Version(const char* exe) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(exe, &ignored);
  if (!size) return 2;
  std::vector<char> data(size);
  if (!GetFileVersionInfoA(exe, 0, size, data.data())) return 2;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT len = 0;
  if (VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&fixed), &len) && fixed) {
    std::printf("FileVersion=%u.%u.%u.%u\n", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS));
    std::printf("ProductVersion=%u.%u.%u.%u\n", HIWORD(fixed->dwProductVersionMS), LOWORD(fixed->dwProductVersionMS),
                HIWORD(fixed->dwProductVersionLS), LOWORD(fixed->dwProductVersionLS));
  }
  struct { WORD language, codepage; }* translation = nullptr;
  if (!VerQueryValueA(data.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &len) ||
      !translation)
    return 2;
  char block[64];
  std::snprintf(block, sizeof(block), "\\StringFileInfo\\%04x%04x\\", translation->language, translation->codepage);
  for (const char* key : {"FileDescription", "ProductName", "CompanyName", "Comments"}) {
    char* value = nullptr;
    std::string query = std::string(block) + key;
    if (VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &len) && value)
      std::printf("%s=%s\n", key, value);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return 64;
  const std::string verb = argv[1];
  if (verb == "run" && argc >= 3) {
    PROCESS_INFORMATION pi{};
    if (!Start(argc, argv, 2, &pi)) {
      std::printf("cannot start: %lu\n", GetLastError());
      return 3;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    std::printf("exit 0x%08lX\n", code);
    return 0;
  }
  if (verb == "start" && argc >= 3) {
    PROCESS_INFORMATION pi{};
    if (!Start(argc, argv, 2, &pi)) return 3;
    std::printf("pid %lu\n", pi.dwProcessId);
    return 0;
  }
  if (verb == "wait-window" && argc >= 4) {
    HWND w = WaitWindow(argv[2], static_cast<DWORD>(std::atoi(argv[3])));
    if (!w) return 1;
    RECT r;
    GetWindowRect(w, &r);
    std::printf("window %ld %ld %ld %ld %s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                IsWindowVisible(w) ? "visible" : "hidden");
    return 0;
  }
  if (verb == "close" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    PostMessageA(w, WM_CLOSE, 0, 0);
    return 0;
  }
  if (verb == "version" && argc >= 3) return Version(argv[2]);
  if (verb == "messages" && argc >= 3) {
    const DWORD ms = static_cast<DWORD>(std::atoi(argv[2]));
    const DWORD start = GetTickCount();
    Boxes boxes;
    while (boxes.list.empty() && GetTickCount() - start <= ms) {
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&boxes));
      if (boxes.list.empty()) Sleep(50);
    }
    for (HWND box : boxes.list) {
      std::printf("title=%s\n", TextOf(box).c_str());
      HWND text = GetDlgItem(box, 0xFFFF);
      std::string t = text ? TextOf(text) : std::string();
      for (char& c : t)
        if (c == '\r' || c == '\n') c = '|';
      std::printf("text=%s\n", t.c_str());
      std::printf("icon=%s\n", GetDlgItem(box, 0x440) ? "yes" : "no");
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
    return boxes.list.empty() ? 1 : 0;
  }
  if (verb == "text" && argc >= 5) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    Found f{argv[3], std::atoi(argv[4]), 0, nullptr};
    EnumChildWindows(w, FindChild, reinterpret_cast<LPARAM>(&f));
    if (!f.hwnd) return 1;
    std::printf("%s\n", TextOf(f.hwnd).c_str());
    return 0;
  }
  if (verb == "time-start" && argc >= 4) {
    LARGE_INTEGER freq, t0, t1;
    QueryPerformanceFrequency(&freq);
    QueryPerformanceCounter(&t0);
    PROCESS_INFORMATION pi{};
    if (!Start(argc, argv, 3, &pi)) return 3;
    HWND w = nullptr;
    while (!(w = FindWindowA(nullptr, argv[2])) || !IsWindowVisible(w)) {
      if (WaitForSingleObject(pi.hProcess, 0) == WAIT_OBJECT_0) return 4;
      Sleep(1);
    }
    QueryPerformanceCounter(&t1);
    std::printf("ms %.1f\n", (t1.QuadPart - t0.QuadPart) * 1000.0 / freq.QuadPart);
    PostMessageA(w, WM_CLOSE, 0, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    return 0;
  }
  if (verb == "rect" && argc >= 4) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    ById by{std::atoi(argv[3]), nullptr};
    EnumChildWindows(w, FindById, reinterpret_cast<LPARAM>(&by));
    if (!by.found) return 1;
    RECT r;
    GetWindowRect(by.found, &r);
    std::printf("rect %ld %ld %ld %ld %s\n", r.left, r.top, r.right - r.left, r.bottom - r.top,
                IsWindowVisible(by.found) ? "visible" : "hidden");
    return 0;
  }
  if (verb == "text-id" && argc >= 4) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    ById by{std::atoi(argv[3]), nullptr};
    EnumChildWindows(w, FindById, reinterpret_cast<LPARAM>(&by));
    if (!by.found) return 1;
    std::printf("%s\n", TextOf(by.found).c_str());
    return 0;
  }
  if (verb == "select-tab" && argc >= 4) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    HWND tab = FindWindowExA(w, nullptr, "SysTabControl32", nullptr);
    if (!tab) return 1;
    const int wanted = std::atoi(argv[3]);
    RECT r;
    GetClientRect(tab, &r);
    for (int x = 3; x < r.right; x += 4) {
      const LPARAM at = MAKELPARAM(x, 10);
      SendMessageA(tab, WM_LBUTTONDOWN, MK_LBUTTON, at);
      SendMessageA(tab, WM_LBUTTONUP, 0, at);
      if (SendMessageA(tab, TCM_GETCURSEL, 0, 0) == wanted) {
        POINT p{x, 10};
        ClientToScreen(tab, &p);
        std::printf("tab %ld %ld\n", p.x, p.y);
        return 0;
      }
    }
    return 1;
  }
  if (verb == "foreground" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    SetForegroundWindow(w);
    return 0;
  }
  if (verb == "hotkey-free") {
    if (RegisterHotKey(nullptr, 1, 0, VK_RETURN)) {
      UnregisterHotKey(nullptr, 1);
      return 0;
    }
    return 1;
  }
  return 64;
}
