// A small window with one control of each kind the skin engine colours,
// skin files written by hand (resources/skin_engine/FORMAT.md), and a
// capture of what a window shows on screen. Shared by the engine tests and
// the screenshot demo.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <map>
#include <string>

namespace testing_skin {

// Keys of the skin format.
enum Key : uint16_t {
  kName = 0x0001,
  kWindowBackground = 0x0010,
  kWindowText = 0x0011,
  kDisabledText = 0x0012,
  kBorder = 0x0013,
  kAccent = 0x0014,
  kEditBackground = 0x0020,
  kEditText = 0x0021,
  kButtonFace = 0x0030,
  kButtonHot = 0x0031,
  kButtonPressed = 0x0032,
  kButtonText = 0x0033,
  kButtonBorder = 0x0034,
  kButtonRadius = 0x0035,
  kTabBackground = 0x0040,
};

inline uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char c : bytes) {
    crc ^= c;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

inline void PutU16(std::string& out, unsigned v) {
  out += static_cast<char>(v & 0xFF);
  out += static_cast<char>((v >> 8) & 0xFF);
}

// A skin as entries (key -> raw value); Bytes() lays it out as a file.
struct SkinSpec {
  std::map<uint16_t, std::string> entries;
  unsigned char major = 1;

  SkinSpec& Colour(uint16_t key, COLORREF c) {
    entries[key] = std::string{static_cast<char>(GetRValue(c)), static_cast<char>(GetGValue(c)),
                               static_cast<char>(GetBValue(c))};
    return *this;
  }
  std::string Bytes() const {
    std::string out = ".SHE";
    out += static_cast<char>(major);
    out += '\0';
    PutU16(out, static_cast<unsigned>(entries.size()));
    for (const auto& [key, value] : entries) {
      PutU16(out, key);
      PutU16(out, static_cast<unsigned>(value.size()));
      out += value;
    }
    const uint32_t crc = Crc32(out);
    for (int i = 0; i < 4; ++i) out += static_cast<char>((crc >> (8 * i)) & 0xFF);
    return out;
  }
  COLORREF Get(uint16_t key) const {
    const std::string& v = entries.at(key);
    return RGB(static_cast<unsigned char>(v[0]), static_cast<unsigned char>(v[1]), static_cast<unsigned char>(v[2]));
  }
};

// Loud colours that no system colour matches, so every change shows.
inline SkinSpec LoudSkin() {
  SkinSpec s;
  s.Colour(kWindowBackground, RGB(40, 90, 140))
      .Colour(kWindowText, RGB(250, 240, 200))
      .Colour(kDisabledText, RGB(120, 121, 122))
      .Colour(kBorder, RGB(200, 30, 30))
      .Colour(kAccent, RGB(250, 200, 0))
      .Colour(kEditBackground, RGB(20, 20, 60))
      .Colour(kEditText, RGB(220, 250, 220))
      .Colour(kButtonFace, RGB(90, 160, 90))
      .Colour(kButtonHot, RGB(110, 180, 110))
      .Colour(kButtonPressed, RGB(60, 120, 60))
      .Colour(kButtonText, RGB(5, 5, 5))
      .Colour(kButtonBorder, RGB(10, 60, 10))
      .Colour(kTabBackground, RGB(150, 80, 150));
  s.entries[kName] = "Loud";
  return s;
}

// Reads a skin file back into entries (no checks beyond the layout).
inline bool ParseSkinSpec(const std::string& bytes, SkinSpec& out) {
  if (bytes.size() < 12 || bytes.compare(0, 4, ".SHE") != 0) return false;
  auto u16 = [&bytes](size_t at) {
    return static_cast<unsigned>(static_cast<unsigned char>(bytes[at]) | static_cast<unsigned char>(bytes[at + 1]) << 8);
  };
  out = SkinSpec();
  out.major = static_cast<unsigned char>(bytes[4]);
  size_t at = 8;
  for (unsigned i = 0, n = u16(6); i < n; ++i) {
    if (at + 4 > bytes.size() - 4) return false;
    const unsigned key = u16(at), length = u16(at + 2);
    if (at + 4 + length > bytes.size() - 4) return false;
    out.entries[static_cast<uint16_t>(key)] = bytes.substr(at + 4, length);
    at += 4 + length;
  }
  return at == bytes.size() - 4;
}

// What a window shows, copied off its own DC (children included).
class Capture {
 public:
  explicit Capture(HWND hwnd) {
    RECT rc;
    GetClientRect(hwnd, &rc);
    width_ = rc.right;
    height_ = rc.bottom;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    HDC screen = GetDC(hwnd);
    HDC mem = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(mem, bitmap);
    BitBlt(mem, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    GdiFlush();
    pixels_.assign(static_cast<const uint32_t*>(bits), static_cast<const uint32_t*>(bits) + width_ * height_);
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(hwnd, screen);
  }
  COLORREF At(POINT p) const {
    if (p.x < 0 || p.y < 0 || p.x >= width_ || p.y >= height_) return CLR_INVALID;
    const uint32_t v = pixels_[static_cast<size_t>(p.y) * width_ + p.x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }

 private:
  int width_ = 0, height_ = 0;
  std::basic_string<uint32_t> pixels_;
};

inline std::string Hex(COLORREF c) {
  char text[16];
  wsprintfA(text, "#%02X%02X%02X", GetRValue(c), GetGValue(c), GetBValue(c));
  return text;
}

inline void Pump(DWORD milliseconds) {
  const DWORD until = GetTickCount() + milliseconds;
  do {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    Sleep(10);
  } while (static_cast<int>(until - GetTickCount()) > 0);
}

inline void Redraw(HWND hwnd) {
  RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Pump(150);
}

// The grey that the main window gives its prompt boxes itself.
constexpr COLORREF kPromptGrey = RGB(236, 236, 236);
constexpr COLORREF kPromptText = RGB(128, 0, 0);

enum ControlId { kLabel = 101, kEdit, kPrompt, kButton, kCheck, kTab };

// The test window: a frame (system face background) with a label, an edit
// box, a prompt box whose colours the frame answers itself, a push button,
// a check box and a tab control.
class TestFrame {
 public:
  static constexpr int kWidth = 420, kHeight = 300;

  TestFrame(const char* className, int x, int y, const char* title = "Skin test") {
    Register(className);
    RECT rc = {0, 0, kWidth, kHeight};
    AdjustWindowRectEx(&rc, kStyle, FALSE, 0);
    hwnd_ = CreateWindowExA(0, className, title, kStyle, x, y, rc.right - rc.left, rc.bottom - rc.top, nullptr,
                            nullptr, GetModuleHandleA(nullptr), nullptr);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto add = [&](DWORD ex, const char* cls, const char* text, DWORD style, int cx, int cy, int w, int h, int id) {
      HWND c = CreateWindowExA(ex, cls, text, WS_CHILD | WS_VISIBLE | style, cx, cy, w, h, hwnd_,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
      SendMessageA(c, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      return c;
    };
    add(0, "Static", "标签", SS_LEFT, 10, 10, 150, 20, kLabel);
    add(WS_EX_CLIENTEDGE, "Edit", "", ES_AUTOHSCROLL, 10, 40, 150, 24, kEdit);
    add(WS_EX_CLIENTEDGE, "Edit", "", ES_MULTILINE | ES_READONLY, 10, 74, 150, 40, kPrompt);
    add(0, "Button", "确定", BS_PUSHBUTTON, 180, 10, 100, 28, kButton);
    add(0, "Button", "置前", BS_AUTOCHECKBOX, 180, 50, 100, 20, kCheck);
    HWND tab = add(0, WC_TABCONTROLA, "", WS_CLIPSIBLINGS, 10, 130, 400, 160, kTab);
    const char* const tabs[] = {" 加 密 ", " 解 密 ", " 关 于.. "};
    for (int i = 0; i < 3; ++i) {
      TCITEMA item = {};
      item.mask = TCIF_TEXT;
      item.pszText = const_cast<char*>(tabs[i]);
      SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
  }
  ~TestFrame() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  TestFrame(const TestFrame&) = delete;
  TestFrame& operator=(const TestFrame&) = delete;

  HWND hwnd() const { return hwnd_; }
  HWND Control(int id) const { return GetDlgItem(hwnd_, id); }

  void Show() {
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    Redraw(hwnd_);
  }

  // Points that show one colour each, in client coordinates of the frame.
  struct Probes {
    POINT background, label, edit, prompt, buttonFace, checkSquare, tabPage, otherTab;
  };
  Probes Points() const {
    Probes p;
    p.background = {400, 60};
    p.label = {150, 20};     // right of the label's short text
    p.edit = {120, 52};
    p.prompt = {120, 94};
    p.buttonFace = {186, 16};  // left of the centred caption
    p.checkSquare = {186, 60};
    p.tabPage = {200, 260};
    RECT item = {};
    SendMessageA(Control(kTab), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    p.otherTab = {10 + item.left + 3, 130 + item.bottom - 3};
    return p;
  }

 private:
  static constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_CTLCOLORSTATIC && GetDlgCtrlID(reinterpret_cast<HWND>(lp)) == kPrompt) {
      static HBRUSH grey = CreateSolidBrush(kPromptGrey);
      SetBkColor(reinterpret_cast<HDC>(wp), kPromptGrey);
      SetTextColor(reinterpret_cast<HDC>(wp), kPromptText);
      return reinterpret_cast<LRESULT>(grey);
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
  }

  static void Register(const char* className) {
    WNDCLASSA wc = {};
    if (GetClassInfoA(GetModuleHandleA(nullptr), className, &wc)) return;
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
  }

  HWND hwnd_ = nullptr;
};

}  // namespace testing_skin
