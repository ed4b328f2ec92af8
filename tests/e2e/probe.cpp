// A small Windows tool with which end-to-end tests look at the real program
// from outside its process, as another program on the same desktop would.
//   probe run EXE [ARGS...]        start EXE, wait for it, print "exit 0x%08X"
//   probe start EXE [ARGS...]      start EXE, print its process id, do not wait
//   probe wait-window TITLE MS     wait for a top-level window titled TITLE,
//                                  print "window X Y W H visible"
//   probe close TITLE              post WM_CLOSE to that window
//   probe version EXE              print the version resource's texts
//   probe messages MS [keep]       wait up to MS for message boxes, print each
//                                  one's title, text (escaped) and icon rectangle, and
//                                  press OK unless "keep" is given
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
//   probe place TITLE X Y W H      move and size that window
//   probe foreground TITLE         bring that window to the foreground
//   probe hotkey-free              exit 0 if Enter can be registered as a
//                                  hotkey here, 1 if another program holds it
//   probe run-line LINE            start the command line LINE as Explorer
//                                  runs a verb's command, wait, print "exit"
//   probe tab TITLE                print the tab control's current tab
//   probe tab-rect TITLE INDEX     print "tab X Y W H" of that tab's caption
//   probe checked TITLE ID         print 1 if that check box is checked, else 0
//   probe topmost TITLE            print 1 if the window is topmost, else 0
//   probe drop-target TITLE        exit 0 if OLE holds a drop target for the
//                                  window (hidden windows count), else 1
//   probe windows                  print "CLASS|TITLE|X Y W H" for every
//                                  visible top-level window
//   probe list-items TITLE         print the items of the first list view in
//                                  the window titled TITLE, one a line
//   probe dialog MS                wait up to MS for a visible dialog that
//                                  holds a tree view (the folder browser);
//                                  print "caption=..." and one line per
//                                  child: "control ID CLASS X Y W H|TEXT"
//   probe tree-item PATH           in that dialog, expand the tree along the
//                                  Windows path PATH and print "item X Y W H"
//                                  of the last component's label
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
  // The folder browser is a dialog too, but no message box.
  if (std::strcmp(cls, "#32770") == 0 && IsWindowVisible(w) && !FindWindowExA(w, nullptr, WC_TREEVIEWA, nullptr))
    reinterpret_cast<Boxes*>(p)->list.push_back(w);
  return TRUE;
}

std::string TextOf(HWND w) {
  char buffer[4096] = {};
  SendMessageTimeoutA(w, WM_GETTEXT, sizeof(buffer), reinterpret_cast<LPARAM>(buffer), SMTO_ABORTIFHUNG, 2000,
                      nullptr);
  return buffer;
}

// One line per item: line breaks and backslashes as C escapes (the trail
// byte of a double-byte character may be a backslash and stays as it is).
std::string Escaped(const std::string& t) {
  std::string out;
  for (size_t i = 0; i < t.size(); ++i) {
    const char c = t[i];
    if (IsDBCSLeadByte(static_cast<BYTE>(c)) && i + 1 < t.size()) {
      out += c;
      out += t[++i];
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
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

BOOL CALLBACK ListWindow(HWND w, LPARAM) {
  if (!IsWindowVisible(w)) return TRUE;
  char cls[128] = {};
  GetClassNameA(w, cls, sizeof(cls));
  RECT r;
  GetWindowRect(w, &r);
  std::printf("%s|%s|%ld %ld %ld %ld\n", cls, TextOf(w).c_str(), r.left, r.top, r.right - r.left,
              r.bottom - r.top);
  return TRUE;
}

struct BrowserFind {
  HWND dialog;
  HWND tree;
};

BOOL CALLBACK FindBrowser(HWND w, LPARAM p) {
  char cls[64];
  GetClassNameA(w, cls, sizeof(cls));
  if (std::strcmp(cls, "#32770") != 0 || !IsWindowVisible(w)) return TRUE;
  HWND tree = FindWindowExA(w, nullptr, WC_TREEVIEWA, nullptr);
  if (!tree) return TRUE;
  auto* f = reinterpret_cast<BrowserFind*>(p);
  f->dialog = w;
  f->tree = tree;
  return FALSE;
}

BrowserFind WaitBrowser(DWORD ms) {
  const DWORD start = GetTickCount();
  BrowserFind f{nullptr, nullptr};
  for (;;) {
    EnumWindows(FindBrowser, reinterpret_cast<LPARAM>(&f));
    if (f.dialog || GetTickCount() - start > ms) return f;
    Sleep(50);
  }
}

BOOL CALLBACK ListChild(HWND c, LPARAM) {
  char cls[64] = {};
  GetClassNameA(c, cls, sizeof(cls));
  RECT r;
  GetWindowRect(c, &r);
  std::printf("control %d %s %ld %ld %ld %ld|%s\n", GetDlgCtrlID(c), cls, r.left, r.top, r.right - r.left,
              r.bottom - r.top, IsWindowVisible(c) ? TextOf(c).c_str() : "");
  return TRUE;
}

// Tree-view messages that carry pointers need memory in the tree's own
// process: Windows does not marshal them between processes.
class RemoteBuffer {
 public:
  explicit RemoteBuffer(HWND w) {
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    process_ = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid);
    if (process_) base_ = static_cast<char*>(VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
  }
  ~RemoteBuffer() {
    if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
    if (process_) CloseHandle(process_);
  }
  RemoteBuffer(const RemoteBuffer&) = delete;
  RemoteBuffer& operator=(const RemoteBuffer&) = delete;
  bool ok() const { return base_ != nullptr; }
  char* at(size_t offset) const { return base_ + offset; }
  bool Write(size_t offset, const void* data, size_t n) {
    return WriteProcessMemory(process_, base_ + offset, data, n, nullptr) != FALSE;
  }
  bool Read(size_t offset, void* data, size_t n) {
    return ReadProcessMemory(process_, base_ + offset, data, n, nullptr) != FALSE;
  }
  static constexpr size_t kSize = 4096;

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};

std::string ItemText(HWND tree, RemoteBuffer& remote, HTREEITEM item) {
  constexpr size_t kText = 512;
  TVITEMA tv{};
  tv.mask = TVIF_TEXT;
  tv.hItem = item;
  tv.pszText = remote.at(kText);
  tv.cchTextMax = 260;
  char text[261] = {};
  if (!remote.Write(0, &tv, sizeof(tv)) || !remote.Write(kText, text, sizeof(text))) return std::string();
  SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(remote.at(0)));
  remote.Read(kText, text, 260);
  return text;
}

HTREEITEM Child(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(item)));
}

HTREEITEM Next(HWND tree, HTREEITEM item) {
  return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
}

void Expand(HWND tree, HTREEITEM item) {
  SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item));
}

bool IsDriveItem(const std::string& text, const std::string& drive) {
  return lstrcmpiA(text.c_str(), drive.c_str()) == 0 || text.find("(" + drive + ")") != std::string::npos;
}

// The drive sits a few levels below the desktop (desktop, computer, drive):
// search breadth first, so that no folder is expanded deeper than needed.
HTREEITEM FindDrive(HWND tree, RemoteBuffer& remote, HTREEITEM root, const std::string& drive) {
  std::vector<HTREEITEM> level;
  for (HTREEITEM i = root; i; i = Next(tree, i)) level.push_back(i);
  for (int depth = 0; depth < 4 && !level.empty(); ++depth) {
    for (HTREEITEM i : level)
      if (IsDriveItem(ItemText(tree, remote, i), drive)) return i;
    std::vector<HTREEITEM> below;
    for (HTREEITEM i : level) {
      Expand(tree, i);
      for (HTREEITEM c = Child(tree, i); c; c = Next(tree, c)) {
        if (IsDriveItem(ItemText(tree, remote, c), drive)) return c;
        below.push_back(c);
      }
    }
    level.swap(below);
  }
  return nullptr;
}

int TreeItem(const std::string& path) {
  BrowserFind b = WaitBrowser(10000);
  if (!b.tree) return 1;
  RemoteBuffer remote(b.tree);
  if (!remote.ok()) return 2;
  std::vector<std::string> parts;
  size_t start = 0;
  for (;;) {
    const size_t at = path.find('\\', start);
    const std::string part = path.substr(start, at == std::string::npos ? std::string::npos : at - start);
    if (!part.empty()) parts.push_back(part);
    if (at == std::string::npos) break;
    start = at + 1;
  }
  if (parts.empty()) return 1;
  HTREEITEM root = reinterpret_cast<HTREEITEM>(SendMessageA(b.tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  HTREEITEM item = FindDrive(b.tree, remote, root, parts[0]);
  for (size_t i = 1; item && i < parts.size(); ++i) {
    Expand(b.tree, item);
    HTREEITEM c = Child(b.tree, item);
    while (c && lstrcmpiA(ItemText(b.tree, remote, c).c_str(), parts[i].c_str()) != 0) c = Next(b.tree, c);
    item = c;
  }
  if (!item) return 1;
  SendMessageA(b.tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
  // TVM_GETITEMRECT takes the item in the first bytes of the rectangle.
  RECT r{};
  if (!remote.Write(0, &r, sizeof(r)) || !remote.Write(0, &item, sizeof(item))) return 2;
  if (!SendMessageA(b.tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(remote.at(0)))) return 1;
  remote.Read(0, &r, sizeof(r));
  MapWindowPoints(b.tree, nullptr, reinterpret_cast<POINT*>(&r), 2);
  std::printf("item %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
  return 0;
}

HWND ChildById(HWND w, int id) {
  ById by{id, nullptr};
  EnumChildWindows(w, FindById, reinterpret_cast<LPARAM>(&by));
  return by.found;
}

// Waits for the process and prints its full 32-bit exit code.
int WaitAndReport(const PROCESS_INFORMATION& pi) {
  WaitForSingleObject(pi.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(pi.hProcess, &code);
  std::printf("exit 0x%08lX\n", code);
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
    return WaitAndReport(pi);
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
    const bool keep = argc >= 4 && std::strcmp(argv[3], "keep") == 0;
    const DWORD start = GetTickCount();
    Boxes boxes;
    while (boxes.list.empty() && GetTickCount() - start <= ms) {
      EnumWindows(FindBox, reinterpret_cast<LPARAM>(&boxes));
      if (boxes.list.empty()) Sleep(50);
    }
    for (HWND box : boxes.list) {
      std::printf("title=%s\n", TextOf(box).c_str());
      HWND text = GetDlgItem(box, 0xFFFF);
      std::printf("text=%s\n", Escaped(text ? TextOf(text) : std::string()).c_str());
      HWND icon = GetDlgItem(box, 0x440);
      RECT r{};
      if (icon && IsWindowVisible(icon)) GetWindowRect(icon, &r);
      std::printf("icon=%ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
      if (!keep) PostMessageA(box, WM_COMMAND, IDOK, 0);
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
  if (verb == "place" && argc >= 7) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    return SetWindowPos(w, nullptr, std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]), std::atoi(argv[6]),
                        SWP_NOZORDER | SWP_NOACTIVATE) ? 0 : 1;
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
  if (verb == "run-line" && argc >= 3) {
    STARTUPINFOA si{};
    si.cb = sizeof(si);
    PROCESS_INFORMATION pi{};
    std::string line = argv[2];
    if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
      std::printf("cannot start: %lu\n", GetLastError());
      return 3;
    }
    return WaitAndReport(pi);
  }
  if (verb == "tab" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    HWND tab = w ? FindWindowExA(w, nullptr, "SysTabControl32", nullptr) : nullptr;
    if (!tab) return 1;
    std::printf("%ld\n", static_cast<long>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
    return 0;
  }
  if (verb == "tab-rect" && argc >= 4) {
    HWND w = FindWindowA(nullptr, argv[2]);
    HWND tab = w ? FindWindowExA(w, nullptr, "SysTabControl32", nullptr) : nullptr;
    if (!tab) return 1;
    RemoteBuffer remote(tab);
    RECT r{};
    if (!remote.ok() || !remote.Write(0, &r, sizeof(r))) return 2;
    if (!SendMessageA(tab, TCM_GETITEMRECT, std::atoi(argv[3]), reinterpret_cast<LPARAM>(remote.at(0)))) return 1;
    remote.Read(0, &r, sizeof(r));
    MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&r), 2);
    std::printf("tab %ld %ld %ld %ld\n", r.left, r.top, r.right - r.left, r.bottom - r.top);
    return 0;
  }
  if (verb == "checked" && argc >= 4) {
    HWND w = FindWindowA(nullptr, argv[2]);
    HWND box = w ? ChildById(w, std::atoi(argv[3])) : nullptr;
    if (!box) return 1;
    std::printf("%d\n", SendMessageA(box, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
    return 0;
  }
  if (verb == "topmost" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 1;
    std::printf("%d\n", (GetWindowLongA(w, GWL_EXSTYLE) & WS_EX_TOPMOST) ? 1 : 0);
    return 0;
  }
  if (verb == "drop-target" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    if (!w) return 2;
    return GetPropA(w, "OleDropTargetInterface") ? 0 : 1;
  }
  if (verb == "list-items" && argc >= 3) {
    HWND w = FindWindowA(nullptr, argv[2]);
    Found f{WC_LISTVIEWA, 0, 0, nullptr};
    if (w) EnumChildWindows(w, FindChild, reinterpret_cast<LPARAM>(&f));
    if (!f.hwnd) return 1;
    RemoteBuffer remote(f.hwnd);
    if (!remote.ok()) return 2;
    const int count = static_cast<int>(SendMessageA(f.hwnd, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      constexpr size_t kText = 512;
      LVITEMA item{};
      item.iSubItem = 0;
      item.pszText = remote.at(kText);
      item.cchTextMax = 260;
      char text[261] = {};
      remote.Write(0, &item, sizeof(item));
      remote.Write(kText, text, sizeof(text));
      SendMessageA(f.hwnd, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote.at(0)));
      remote.Read(kText, text, 260);
      std::printf("%s\n", text);
    }
    return 0;
  }
  if (verb == "windows") {
    EnumWindows(ListWindow, 0);
    return 0;
  }
  if (verb == "dialog" && argc >= 3) {
    BrowserFind b = WaitBrowser(static_cast<DWORD>(std::atoi(argv[2])));
    if (!b.dialog) return 1;
    std::printf("caption=%s\n", TextOf(b.dialog).c_str());
    EnumChildWindows(b.dialog, ListChild, 0);
    return 0;
  }
  if (verb == "tree-item" && argc >= 3) return TreeItem(argv[2]);
  return 64;
}
