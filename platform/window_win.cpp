// The window toolkit over USER32 and the common controls. Every control of a
// form is a child of the tab control, placed relative to its top-left corner;
// the tab control passes its children's notifications up to the main window.
#include "platform/window.h"

#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <map>
#include <vector>

#include "platform/browser_box.h"

namespace platform {
namespace {

const char kMainClass[] = "TalvenorMainWindow";
constexpr int kFirstControlId = 1000;
const COLORREF kGrey = RGB(236, 236, 236);
constexpr UINT_PTR kTabSubclassId = 1;
constexpr UINT_PTR kLabelSubclassId = 2;

bool TakesFocus(form::Kind kind) {
  return kind == form::Kind::Edit || kind == form::Kind::Button || kind == form::Kind::CheckBox ||
         kind == form::Kind::Browser;
}

}  // namespace

struct FormWindow::Impl {
  const form::Window& form;
  WindowEvents events;
  HWND hwnd = nullptr;
  HWND tab = nullptr;
  std::vector<HWND> controls;  // parallel to form.controls; nullptr for windowless kinds
  std::map<const form::Font*, HFONT> fonts;
  HBRUSH greyBrush = nullptr;
  HWND savedFocus = nullptr;
  std::map<std::string, std::string> addresses;

  Impl(const form::Window& f, WindowEvents e) : form(f), events(std::move(e)) {}

  ~Impl() {
    if (hwnd) DestroyWindow(hwnd);
    for (auto& kv : fonts) DeleteObject(kv.second);
    if (greyBrush) DeleteObject(greyBrush);
  }

  int IndexOf(const char* name) const {
    if (!name) return -1;
    for (size_t i = 0; i < form.controlCount; ++i)
      if (std::strcmp(form.controls[i].name, name) == 0) return static_cast<int>(i);
    return -1;
  }

  int IndexOf(HWND child) const {
    for (size_t i = 0; i < controls.size(); ++i)
      if (controls[i] && controls[i] == child) return static_cast<int>(i);
    return -1;
  }

  HWND Handle(const char* name) const {
    if (!name) return hwnd;
    const int i = IndexOf(name);
    if (i >= 0) return controls[i];
    return tab && std::strcmp(name, "选择夹1") == 0 ? tab : nullptr;
  }

  HFONT FontFor(const form::Font* font) {
    if (!font) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    auto it = fonts.find(font);
    if (it != fonts.end()) return it->second;
    HFONT f = CreateFontA(-font->pixelHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                          static_cast<BYTE>(font->charset), OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                          DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font->face);
    if (!f) f = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts[font] = f;
    return f;
  }

  bool Create();
  HWND CreateControl(size_t index);
  void PaintTransparentLabels(HRGN update);
  void ShowPage(int index);
  LRESULT OnCtlColor(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT Proc(UINT message, WPARAM wParam, LPARAM lParam);

  static LRESULT CALLBACK MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK TabProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
  static LRESULT CALLBACK LabelProc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);
};

bool FormWindow::Impl::Create() {
  HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSEXA wc{};
  wc.cbSize = sizeof(wc);
  if (!GetClassInfoExA(instance, kMainClass, &wc)) {
    wc = WNDCLASSEXA{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainClass;
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON), 0));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0));
    if (!RegisterClassExA(&wc)) return false;
  }
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
  greyBrush = CreateSolidBrush(kGrey);

  // Centred on the screen; the window keeps its outer size exactly.
  const int x = (GetSystemMetrics(SM_CXSCREEN) - form.outerWidth) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - form.outerHeight) / 2;
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  hwnd = CreateWindowExA(0, kMainClass, form.title, style, x, y, form.outerWidth, form.outerHeight,
                         nullptr, nullptr, instance, this);
  if (!hwnd) return false;
  if (wc.hIcon) SendMessageA(hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(wc.hIcon));
  if (wc.hIconSm) SendMessageA(hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(wc.hIconSm));

  tab = CreateWindowExA(WS_EX_CONTROLPARENT, WC_TABCONTROLA, "",
                        WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP, form.tabX, form.tabY,
                        form.tabWidth, form.tabHeight, hwnd, nullptr, instance, nullptr);
  if (!tab) return false;
  SendMessageA(tab, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(form.tabFont)), FALSE);
  for (int i = 0; i < form.tabCount; ++i) {
    TCITEMA item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<char*>(form.tabCaptions[i]);
    SendMessageA(tab, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
  }
  SetWindowSubclass(tab, TabProc, kTabSubclassId, reinterpret_cast<DWORD_PTR>(this));

  controls.assign(form.controlCount, nullptr);
  for (size_t i = 0; i < form.controlCount; ++i) {
    controls[i] = CreateControl(i);
    const form::Kind kind = form.controls[i].kind;
    if (!controls[i] && kind != form::Kind::DropTarget) return false;
  }
  SendMessageA(tab, TCM_SETCURSEL, 0, 0);
  return true;
}

HWND FormWindow::Impl::CreateControl(size_t index) {
  const form::Control& c = form.controls[index];
  const HMENU id = reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index));
  const bool visible = c.tab == 0 && !(c.flags & form::kInvisible);
  DWORD style = WS_CHILD | (visible ? WS_VISIBLE : 0) | ((c.flags & form::kDisabled) ? WS_DISABLED : 0);
  DWORD exStyle = 0;
  const char* cls = nullptr;
  switch (c.kind) {
    case form::Kind::Edit:
      cls = "EDIT";
      exStyle |= WS_EX_CLIENTEDGE;
      style |= WS_TABSTOP;
      style |= (c.flags & form::kMultiLine) ? ES_MULTILINE : ES_AUTOHSCROLL;
      if (c.flags & form::kCentred) style |= ES_CENTER;
      if (c.flags & form::kPassword) style |= ES_PASSWORD;
      break;
    case form::Kind::Button:
      cls = "BUTTON";
      style |= WS_TABSTOP | BS_PUSHBUTTON | BS_CENTER | BS_VCENTER;
      break;
    case form::Kind::CheckBox:
      cls = "BUTTON";
      style |= WS_TABSTOP | BS_AUTOCHECKBOX | BS_MULTILINE;
      break;
    case form::Kind::Label:
      cls = "STATIC";
      style |= SS_LEFT;
      break;
    case form::Kind::TransparentLabel:
      cls = "STATIC";
      style |= SS_LEFT;
      exStyle |= WS_EX_TRANSPARENT;
      break;
    case form::Kind::DropTarget:
      return nullptr;
    case form::Kind::Browser: {
      HWND box = static_cast<HWND>(CreateBrowserBox(tab, c.x, c.y, c.width, c.height,
                                                    kFirstControlId + static_cast<int>(index)));
      if (box && !visible) ShowWindow(box, SW_HIDE);
      return box;
    }
  }
  HWND w = CreateWindowExA(exStyle, cls, c.text ? c.text : "", style, c.x, c.y, c.width, c.height, tab,
                           id, GetModuleHandleA(nullptr), nullptr);
  if (!w) return nullptr;
  SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(c.font)), FALSE);
  if (c.kind == form::Kind::Edit) {
    if (c.flags & form::kPassword) SendMessageA(w, EM_SETPASSWORDCHAR, '*', 0);
    SendMessageA(w, EM_LIMITTEXT, c.textLimit, 0);  // 0 lifts the default limit
  }
  if (c.kind == form::Kind::CheckBox && (c.flags & form::kChecked))
    SendMessageA(w, BM_SETCHECK, BST_CHECKED, 0);
  if (c.kind == form::Kind::Label || c.kind == form::Kind::TransparentLabel)
    SetWindowSubclass(w, LabelProc, kLabelSubclassId, reinterpret_cast<DWORD_PTR>(this));
  return w;
}

// A transparent label's caption is drawn by the tab control over its own
// background, so it shows in full, like text printed on the page, even where
// it runs past the label's rectangle; the label window itself draws nothing.
void FormWindow::Impl::PaintTransparentLabels(HRGN update) {
  HDC dc = GetDC(tab);
  if (!dc) return;
  SelectClipRgn(dc, update);
  for (size_t i = 0; i < form.controlCount; ++i) {
    HWND w = controls[i];
    if (!w || !IsWindowVisible(w) || form.controls[i].kind == form::Kind::TransparentLabel) continue;
    RECT r;
    GetWindowRect(w, &r);
    MapWindowPoints(nullptr, tab, reinterpret_cast<POINT*>(&r), 2);
    ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
  }
  for (size_t i = 0; i < form.controlCount; ++i) {
    const form::Control& c = form.controls[i];
    HWND w = controls[i];
    if (c.kind != form::Kind::TransparentLabel || !w || !IsWindowVisible(w) || !c.text) continue;
    const int saved = SaveDC(dc);
    // Ask for the colours as a label would, so that a skin's answer counts.
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    SendMessageA(tab, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(w));
    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, FontFor(c.font));
    RECT r{c.x, c.y, form.tabWidth, c.y + c.height};
    DrawTextA(dc, c.text, -1, &r, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    RestoreDC(dc, saved);
  }
  ReleaseDC(tab, dc);
}

void FormWindow::Impl::ShowPage(int index) {
  for (size_t i = 0; i < form.controlCount; ++i)
    if (controls[i] && form.controls[i].tab != index) ShowWindow(controls[i], SW_HIDE);
  for (size_t i = 0; i < form.controlCount; ++i)
    if (controls[i] && form.controls[i].tab == index && !(form.controls[i].flags & form::kInvisible))
      ShowWindow(controls[i], SW_SHOWNA);
  InvalidateRect(tab, nullptr, TRUE);
  for (size_t i = 0; i < form.controlCount; ++i) {
    const form::Control& c = form.controls[i];
    if (c.tab != index || !controls[i] || !TakesFocus(c.kind)) continue;
    if (!IsWindowEnabled(controls[i])) continue;
    savedFocus = controls[i];
    ::SetFocus(controls[i]);
    break;
  }
}

LRESULT FormWindow::Impl::OnCtlColor(HDC dc, HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
  const int i = IndexOf(child);
  if (i >= 0) {
    const form::Control& c = form.controls[i];
    if (c.flags & form::kGreyBackground) {
      SetBkColor(dc, kGrey);
      return reinterpret_cast<LRESULT>(greyBrush);
    }
    if (c.kind == form::Kind::TransparentLabel) {
      SetBkMode(dc, TRANSPARENT);
      return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT FormWindow::Impl::Proc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (events.watch) events.watch(message, wParam, lParam);
  switch (message) {
    case WM_COMMAND: {
      const int i = IndexOf(reinterpret_cast<HWND>(lParam));
      if (i >= 0 && HIWORD(wParam) == BN_CLICKED && events.clicked) {
        const form::Kind kind = form.controls[i].kind;
        if (kind == form::Kind::Button || kind == form::Kind::CheckBox) events.clicked(form.controls[i].name);
      }
      return 0;  // IDOK and IDCANCEL from the dialog manager do nothing: Esc keeps the window open
    }
    case WM_NOTIFY: {
      const NMHDR* hdr = reinterpret_cast<const NMHDR*>(lParam);
      if (hdr->hwndFrom == tab && hdr->code == TCN_SELCHANGE)
        ShowPage(static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0)));
      return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return OnCtlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), message, wParam, lParam);
    case WM_ACTIVATE:
      // Like a dialog: keep the focused control across deactivation.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus && IsChild(hwnd, focus)) savedFocus = focus;
      } else if (savedFocus && IsWindow(savedFocus) && IsWindowVisible(savedFocus)) {
        ::SetFocus(savedFocus);
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    case WM_NCDESTROY: {
      HWND self = hwnd;
      hwnd = nullptr;
      tab = nullptr;
      controls.assign(controls.size(), nullptr);
      return DefWindowProcA(self, message, wParam, lParam);
    }
  }
  return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::Impl::MainProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  Impl* self = reinterpret_cast<Impl*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  if (message == WM_NCCREATE) {
    self = static_cast<Impl*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    self->hwnd = hwnd;
  }
  if (!self || !self->hwnd) return DefWindowProcA(hwnd, message, wParam, lParam);
  return self->Proc(message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::Impl::TabProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR data) {
  Impl* self = reinterpret_cast<Impl*>(data);
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (self->hwnd) return SendMessageA(self->hwnd, message, wParam, lParam);
      break;
    case WM_PAINT: {
      HRGN update = CreateRectRgn(0, 0, 0, 0);
      GetUpdateRgn(w, update, FALSE);
      const LRESULT r = DefSubclassProc(w, message, wParam, lParam);
      self->PaintTransparentLabels(update);
      DeleteObject(update);
      return r;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(w, TabProc, kTabSubclassId);
      break;
  }
  return DefSubclassProc(w, message, wParam, lParam);
}

LRESULT CALLBACK FormWindow::Impl::LabelProc(HWND w, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                             DWORD_PTR data) {
  Impl* self = reinterpret_cast<Impl*>(data);
  if (message == kLabelFeedbackMessage) {
    const int i = self->IndexOf(w);
    if (i >= 0 && self->events.feedback)
      self->events.feedback(self->form.controls[i].name, static_cast<intptr_t>(wParam),
                            static_cast<intptr_t>(lParam));
    return 0;
  }
  const int i = self->IndexOf(w);
  if (i >= 0 && self->form.controls[i].kind == form::Kind::TransparentLabel) {
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
      ValidateRect(w, nullptr);  // the tab control draws the caption
      return 0;
    }
  }
  if (message == WM_NCDESTROY) RemoveWindowSubclass(w, LabelProc, kLabelSubclassId);
  return DefSubclassProc(w, message, wParam, lParam);
}

FormWindow::FormWindow(const form::Window& f, WindowEvents events)
    : impl_(std::make_unique<Impl>(f, std::move(events))) {}

FormWindow::~FormWindow() = default;

bool FormWindow::Load(bool show) {
  if (!impl_->Create()) {
    Destroy();
    return false;
  }
  if (impl_->events.created && !impl_->events.created()) {
    Destroy();
    return false;
  }
  // A skin attached by the created handler may paint the tab control itself;
  // our subclass goes back on top so that the labels' captions still follow.
  if (impl_->tab) {
    RemoveWindowSubclass(impl_->tab, Impl::TabProc, kTabSubclassId);
    SetWindowSubclass(impl_->tab, Impl::TabProc, kTabSubclassId, reinterpret_cast<DWORD_PTR>(impl_.get()));
    InvalidateRect(impl_->tab, nullptr, TRUE);
  }
  if (show && impl_->hwnd) {
    ShowWindow(impl_->hwnd, SW_SHOW);
    UpdateWindow(impl_->hwnd);
  }
  return impl_->hwnd != nullptr;
}

bool FormWindow::Alive() const { return impl_->hwnd && IsWindow(impl_->hwnd); }

void FormWindow::Destroy() {
  if (impl_->hwnd) DestroyWindow(impl_->hwnd);
  impl_->hwnd = nullptr;
}

std::string FormWindow::Text(ui::Name control) {
  HWND w = impl_->Handle(control);
  if (!w) return std::string();
  const int n = GetWindowTextLengthA(w);
  if (n <= 0) return std::string();
  std::string s(static_cast<size_t>(n) + 1, '\0');
  const int got = GetWindowTextA(w, &s[0], n + 1);
  s.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return s;
}

void FormWindow::SetText(ui::Name control, const std::string& value) {
  if (HWND w = impl_->Handle(control)) SetWindowTextA(w, value.c_str());
}

bool FormWindow::Checked(ui::Name control) {
  HWND w = impl_->Handle(control);
  return w && SendMessageA(w, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void FormWindow::SetChecked(ui::Name control, bool checked) {
  // BM_SETCHECK sends no BN_CLICKED, so no clicked handler runs.
  if (HWND w = impl_->Handle(control)) SendMessageA(w, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

int FormWindow::CurrentTab() {
  return impl_->tab ? static_cast<int>(SendMessageA(impl_->tab, TCM_GETCURSEL, 0, 0)) : 0;
}

void FormWindow::SetCurrentTab(int index) {
  if (!impl_->tab) return;
  const int last = impl_->form.tabCount - 1;
  index = index < 0 ? 0 : (index > last ? last : index);
  SendMessageA(impl_->tab, TCM_SETCURSEL, index, 0);  // sends no TCN_SELCHANGE
  impl_->ShowPage(index);
}

void FormWindow::SetAlwaysOnTop(bool on) {
  if (impl_->hwnd)
    SetWindowPos(impl_->hwnd, on ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void FormWindow::SetAddress(ui::Name control, const std::string& address) {
  impl_->addresses[control ? control : ""] = address;
  if (HWND w = impl_->Handle(control)) SetBrowserBoxAddress(w, address);
}

std::string FormWindow::Address(ui::Name control) const {
  auto it = impl_->addresses.find(control ? control : "");
  return it == impl_->addresses.end() ? std::string() : it->second;
}

void FormWindow::SetFocus(ui::Name control) {
  HWND w = impl_->Handle(control);
  if (!w) return;
  if (w != impl_->hwnd) impl_->savedFocus = w;
  else impl_->savedFocus = nullptr;
  ::SetFocus(w);
}

void* FormWindow::WindowHandle(ui::Name control) { return impl_->Handle(control); }

void FormWindow::Close() {
  if (impl_->hwnd) PostMessageA(impl_->hwnd, WM_CLOSE, 0, 0);
}

int RunMessageLoop(void* dialog) {
  MSG msg;
  while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
    HWND d = static_cast<HWND>(dialog);
    if (d && IsWindow(d) && IsDialogMessageA(d, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
  return static_cast<int>(msg.wParam);
}

void PumpMessages() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) continue;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

}  // namespace platform
