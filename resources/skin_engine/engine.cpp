// SkinH_EL.dll: attaching a skin to the calling thread's windows.
//
// Every window of the thread, present or created later (a WH_CBT hook sees
// each creation), is subclassed. The subclass lets the original procedure
// answer WM_CTLCOLOR* first and replaces only the default answers, so a
// window that colours its own controls keeps those colours. Class
// backgrounds left at the system face colour are pointed at the skin's
// brush, which keeps any WM_ERASEBKGND handling of the window's own. Push
// buttons, check boxes and tab controls are drawn flat by paint.cpp.
//
// Unloading the library (FreeLibrary) undoes all of it, so that no window
// is left with a procedure in unmapped code.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <new>

#include "engine.h"

namespace engine {
namespace {

// The engine does without the C++ runtime library (it would triple the
// DLL's size): objects live on the process heap, lists are plain arrays.
template <typename T>
T* Make() {
  void* memory = HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, sizeof(T));
  return memory ? new (memory) T() : nullptr;
}

template <typename T>
void Destroy(T* object) {
  if (!object) return;
  object->~T();
  HeapFree(GetProcessHeap(), 0, object);
}

// A growable array of trivially copyable items.
template <typename T>
class List {
 public:
  List() = default;
  ~List() {
    if (items_) HeapFree(GetProcessHeap(), 0, items_);
  }
  List(const List&) = delete;
  List& operator=(const List&) = delete;

  bool Add(const T& item) {
    if (size_ == capacity_) {
      const size_t grown = capacity_ ? capacity_ * 2 : 16;
      void* memory = items_ ? HeapReAlloc(GetProcessHeap(), 0, items_, grown * sizeof(T))
                            : HeapAlloc(GetProcessHeap(), 0, grown * sizeof(T));
      if (!memory) return false;
      items_ = static_cast<T*>(memory);
      capacity_ = grown;
    }
    items_[size_++] = item;
    return true;
  }
  void RemoveAt(size_t i) {
    items_[i] = items_[--size_];
  }
  size_t Size() const { return size_; }
  T& operator[](size_t i) { return items_[i]; }
  T* begin() { return items_; }
  T* end() { return items_ + size_; }

 private:
  T* items_ = nullptr;
  size_t size_ = 0;
  size_t capacity_ = 0;
};

constexpr UINT_PTR kSubclassId = 0x534B4E31;  // 'SKN1'

struct SkinnedWindow {
  HWND hwnd;
  WindowState* state;
};

struct PatchedClass {
  ATOM atom;
  ULONG_PTR original;
};

struct Attachment {
  DWORD thread = 0;
  HHOOK hook = nullptr;
  skin::Values values;
  HBRUSH windowBrush = nullptr;
  HBRUSH editBrush = nullptr;
  List<SkinnedWindow> windows;
  List<PatchedClass> classes;
};

Attachment* g_attached = nullptr;

// Classes that never show skin colours, or must not see our procedure.
bool Ignored(const char* cls) {
  static const char* const kIgnored[] = {"IME", "MSCTFIME UI", "tooltips_class32", "#32768",
                                         "OleMainThreadWndClass", "ComboLBox"};
  for (const char* name : kIgnored)
    if (lstrcmpiA(cls, name) == 0) return true;
  return false;
}

Kind KindOf(const char* cls) {
  struct Entry {
    const char* name;
    Kind kind;
  };
  static const Entry kKinds[] = {{"#32770", Kind::Dialog},          {"Button", Kind::Button},
                                 {"Edit", Kind::Edit},              {"Static", Kind::Static},
                                 {"SysTabControl32", Kind::Tab},    {"SysTreeView32", Kind::Tree}};
  for (const Entry& e : kKinds)
    if (lstrcmpiA(cls, e.name) == 0) return e.kind;
  return Kind::Other;
}

// DefWindowProc and DefDlgProc answer WM_CTLCOLOR* with system colour
// brushes; anything else is the window's own choice.
bool IsDefaultBrush(HBRUSH brush) {
  if (!brush) return true;
  for (int i = COLOR_SCROLLBAR; i <= COLOR_MENUBAR; ++i)
    if (brush == GetSysColorBrush(i)) return true;
  return false;
}

bool IsFaceBrush(ULONG_PTR brush, bool topLevel) {
  const auto is = [brush](int index) {
    return brush == static_cast<ULONG_PTR>(index + 1) ||
           brush == reinterpret_cast<ULONG_PTR>(GetSysColorBrush(index));
  };
  // A white class background on a child is usually a content area, not a face.
  return is(COLOR_BTNFACE) || (topLevel && is(COLOR_WINDOW));
}

void PatchClassBackground(HWND hwnd) {
  const ATOM atom = static_cast<ATOM>(GetClassWord(hwnd, GCW_ATOM));
  for (const PatchedClass& c : g_attached->classes)
    if (c.atom == atom) return;
  const ULONG_PTR brush = GetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND);
  const bool topLevel = (GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD) == 0;
  if (!IsFaceBrush(brush, topLevel)) return;
  if (g_attached->classes.Add({atom, brush}))
    SetClassLongPtrA(hwnd, GCLP_HBRBACKGROUND, reinterpret_cast<LONG_PTR>(g_attached->windowBrush));
}

// Tree views (the folder browser's) take edit colours unless given their own.
void ColourTree(HWND tree) {
  if (SendMessageA(tree, TVM_GETBKCOLOR, 0, 0) != -1) return;
  SendMessageA(tree, TVM_SETBKCOLOR, 0, g_attached->values.editBackground);
  SendMessageA(tree, TVM_SETTEXTCOLOR, 0, g_attached->values.editText);
}

LRESULT CALLBACK SubclassProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

void Adopt(HWND hwnd, bool created) {
  if (GetWindowSubclass(hwnd, SubclassProc, kSubclassId, nullptr)) return;
  char cls[64] = {};
  GetClassNameA(hwnd, cls, sizeof cls);
  if (Ignored(cls)) return;
  WindowState* state = Make<WindowState>();
  if (!state) return;
  state->kind = KindOf(cls);
  if (!g_attached->windows.Add({hwnd, state})) {
    Destroy(state);
    return;
  }
  if (!SetWindowSubclass(hwnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
    g_attached->windows.RemoveAt(g_attached->windows.Size() - 1);
    Destroy(state);
    return;
  }
  if (state->kind == Kind::Other) PatchClassBackground(hwnd);
  // A tree view being created is not ready for messages yet: see WM_CREATE.
  if (state->kind == Kind::Tree && !created) ColourTree(hwnd);
}

void Forget(HWND hwnd) {
  List<SkinnedWindow>& list = g_attached->windows;
  for (size_t i = 0; i < list.Size(); ++i) {
    if (list[i].hwnd != hwnd) continue;
    RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    Destroy(list[i].state);
    list.RemoveAt(i);
    return;
  }
}

LRESULT ControlColour(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  const LRESULT own = DefSubclassProc(hwnd, msg, wp, lp);
  if (!g_attached || !IsDefaultBrush(reinterpret_cast<HBRUSH>(own))) return own;
  const skin::Values& v = g_attached->values;
  HDC dc = reinterpret_cast<HDC>(wp);
  if (msg == WM_CTLCOLOREDIT || msg == WM_CTLCOLORLISTBOX) {
    SetTextColor(dc, v.editText);
    SetBkColor(dc, v.editBackground);
    return reinterpret_cast<LRESULT>(g_attached->editBrush);
  }
  SetTextColor(dc, v.windowText);
  SetBkColor(dc, v.windowBackground);
  return reinterpret_cast<LRESULT>(g_attached->windowBrush);
}

// Draws the button now, as the stock button does on state changes (it paints
// through GetDC, not WM_PAINT), so its own face never stays on screen.
void RepaintButton(HWND button) {
  DWORD_PTR ref = 0;
  if (!IsWindow(button) || !IsWindowVisible(button) ||
      !GetWindowSubclass(button, SubclassProc, kSubclassId, &ref) || !DrawsButton(button))
    return;
  if (HDC dc = GetDC(button)) {
    PaintButton(button, dc, *reinterpret_cast<WindowState*>(ref));
    ReleaseDC(button, dc);
  }
}

bool ChangesButtonLook(UINT msg) {
  switch (msg) {
    case BM_SETSTATE: case BM_SETCHECK: case BM_SETSTYLE: case WM_SETFOCUS: case WM_KILLFOCUS:
    case WM_ENABLE: case WM_SETTEXT: case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN: case WM_KEYUP: case WM_CAPTURECHANGED: case WM_UPDATEUISTATE: case WM_SETFONT:
      return true;
  }
  return false;
}

LRESULT ButtonMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, WindowState& state) {
  if (!DrawsButton(hwnd)) return DefSubclassProc(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintButton(hwnd, dc, state);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintButton(hwnd, reinterpret_cast<HDC>(wp), state);
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_MOUSEMOVE:
      if (!state.hot) {
        state.hot = true;
        TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
        TrackMouseEvent(&track);
        RepaintButton(hwnd);
      }
      return DefSubclassProc(hwnd, msg, wp, lp);
    case WM_MOUSELEAVE: {
      state.hot = false;
      const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      RepaintButton(hwnd);
      return r;
    }
  }
  if (!ChangesButtonLook(msg)) return DefSubclassProc(hwnd, msg, wp, lp);
  // The click may destroy the button (and `state`) before this returns.
  const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
  RepaintButton(hwnd);
  return r;
}

LRESULT TabMessage(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (!DrawsTab(hwnd)) return DefSubclassProc(hwnd, msg, wp, lp);
  switch (msg) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      PaintTab(hwnd, dc);
      EndPaint(hwnd, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      PaintTab(hwnd, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_SETFOCUS: case WM_KILLFOCUS: case TCM_SETCURSEL: case TCM_SETCURFOCUS:
    case WM_LBUTTONDOWN: case WM_KEYDOWN: case WM_MOUSEMOVE: case WM_SETFONT: case WM_UPDATEUISTATE: {
      const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      if (IsWindow(hwnd)) InvalidateRect(hwnd, nullptr, FALSE);
      return r;
    }
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR ref) {
  auto& state = *reinterpret_cast<WindowState*>(ref);
  switch (msg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSTATIC:
      return ControlColour(hwnd, msg, wp, lp);
    case WM_NCDESTROY: {
      const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      if (g_attached) Forget(hwnd);
      return r;
    }
  }
  switch (state.kind) {
    case Kind::Button:
      return ButtonMessage(hwnd, msg, wp, lp, state);
    case Kind::Tab:
      return TabMessage(hwnd, msg, wp, lp);
    case Kind::Edit:
      if (msg == WM_NCPAINT) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        FlattenEditFrame(hwnd);
        return r;
      }
      break;
    case Kind::Tree:
      if (msg == WM_CREATE) {
        const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
        if (r != -1 && g_attached) ColourTree(hwnd);
        return r;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && g_attached) {
    const auto* create = reinterpret_cast<const CBT_CREATEWNDA*>(lp);
    if (create->lpcs->hwndParent != HWND_MESSAGE) Adopt(reinterpret_cast<HWND>(wp), true);
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

BOOL CALLBACK AdoptChild(HWND child, LPARAM thread) {
  if (GetWindowThreadProcessId(child, nullptr) == static_cast<DWORD>(thread)) Adopt(child, false);
  return TRUE;
}

BOOL CALLBACK AdoptTopLevel(HWND top, LPARAM thread) {
  Adopt(top, false);
  EnumChildWindows(top, AdoptChild, thread);  // all descendants
  RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  return TRUE;
}

bool ReadSkin(const char* path, skin::Values& out) {
  HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  LARGE_INTEGER size = {};
  const bool sized = GetFileSizeEx(file, &size) && size.QuadPart >= static_cast<LONGLONG>(skin::kMinFileSize) &&
                     size.QuadPart <= static_cast<LONGLONG>(skin::kMaxFileSize);
  const DWORD length = sized ? static_cast<DWORD>(size.QuadPart) : 0;
  void* data = sized ? HeapAlloc(GetProcessHeap(), 0, length) : nullptr;
  DWORD got = 0;
  const bool read = data && ReadFile(file, data, length, &got, nullptr) && got == length;
  CloseHandle(file);
  const bool parsed = read && skin::Parse(static_cast<const unsigned char*>(data), length, out);
  if (data) HeapFree(GetProcessHeap(), 0, data);
  return parsed;
}

void Detach() {
  Attachment* a = g_attached;
  if (!a) return;
  UnhookWindowsHookEx(a->hook);
  bool brushInUse = false;
  for (const PatchedClass& c : a->classes) {
    HWND owner = nullptr;
    for (const SkinnedWindow& w : a->windows)
      if (GetClassWord(w.hwnd, GCW_ATOM) == c.atom) owner = w.hwnd;
    if (owner)
      SetClassLongPtrA(owner, GCLP_HBRBACKGROUND, static_cast<LONG_PTR>(c.original));
    else
      brushInUse = true;  // no window left to reach the class through
  }
  List<HWND> tops;
  for (const SkinnedWindow& w : a->windows) {
    HWND hwnd = w.hwnd;
    if (w.state->kind == Kind::Tree &&
        static_cast<COLORREF>(SendMessageA(hwnd, TVM_GETBKCOLOR, 0, 0)) == a->values.editBackground) {
      SendMessageA(hwnd, TVM_SETBKCOLOR, 0, -1);
      SendMessageA(hwnd, TVM_SETTEXTCOLOR, 0, -1);
    }
    RemoveWindowSubclass(hwnd, SubclassProc, kSubclassId);
    Destroy(w.state);
    if (!(GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD)) tops.Add(hwnd);
  }
  g_attached = nullptr;
  for (HWND top : tops)
    RedrawWindow(top, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  if (!brushInUse) DeleteObject(a->windowBrush);
  DeleteObject(a->editBrush);
  Destroy(a);
}

}  // namespace

const skin::Values& Skin() { return g_attached->values; }
HBRUSH WindowBrush() { return g_attached->windowBrush; }

}  // namespace engine

// The one entry point. `skinPath` names a skin file (FORMAT.md); the second
// text is accepted for the caller's sake and not used. Returns 1 when the
// skin was attached; 0 when the file is not a skin, the thread could not be
// hooked, or a skin is already attached (it stays as it is).
extern "C" int __stdcall SkinH_AttachEx(const char* skinPath, const char* /*reserved*/) {
  using namespace engine;
  if (!skinPath || g_attached) return 0;
  skin::Values values;
  if (!ReadSkin(skinPath, values)) return 0;

  Attachment* a = Make<Attachment>();
  if (!a) return 0;
  a->thread = GetCurrentThreadId();
  a->values = values;
  a->windowBrush = CreateSolidBrush(values.windowBackground);
  a->editBrush = CreateSolidBrush(values.editBackground);
  a->hook = SetWindowsHookExA(WH_CBT, CreationHook, nullptr, a->thread);
  if (!a->hook || !a->windowBrush || !a->editBrush) {
    if (a->hook) UnhookWindowsHookEx(a->hook);
    if (a->windowBrush) DeleteObject(a->windowBrush);
    if (a->editBrush) DeleteObject(a->editBrush);
    Destroy(a);
    return 0;
  }
  g_attached = a;
  EnumThreadWindows(a->thread, AdoptTopLevel, static_cast<LPARAM>(a->thread));
  return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  // At process exit (reserved != NULL) the windows go with the process.
  if (reason == DLL_PROCESS_DETACH && !reserved) engine::Detach();
  return TRUE;
}
