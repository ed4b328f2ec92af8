// The about tab's HTML browser box. It hosts the WebBrowser control in a
// small OLE container of its own (client site, in-place site and frame) and
// hands every address to IWebBrowser2::Navigate. A SWF address needs a Flash
// player inside the control; where none is registered, or the control cannot
// be created at all, the box draws the movie's scene itself with GDI and
// animates it while it is visible, so that the about tab still shows it.
#include "platform/browser_box.h"

#include <windows.h>
#include <exdisp.h>
#include <exdispid.h>
#include <ocidl.h>
#include <ole2.h>

#include <cmath>
#include <memory>
#include <string>

#include "platform/movie_scene.h"

namespace platform {
namespace {

constexpr char kClassName[] = "TalvenorBrowserBox";
constexpr UINT_PTR kFrameTimer = 1;
constexpr UINT kFrameMilliseconds = 1000 / movie::kFrameRate;

// A mouse message's client coordinates, signed as GET_X_LPARAM gives them.
int MouseX(LPARAM lp) { return static_cast<short>(LOWORD(lp)); }
int MouseY(LPARAM lp) { return static_cast<short>(HIWORD(lp)); }

// --- Small owners ---------------------------------------------------------

template <class T>
class ComPtr {
 public:
  ComPtr() = default;
  ~ComPtr() { Reset(); }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* Get() const { return p_; }
  T* operator->() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  T** Put() {
    Reset();
    return &p_;
  }
  void** PutVoid() { return reinterpret_cast<void**>(Put()); }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

 private:
  T* p_ = nullptr;
};

class Bstr {
 public:
  explicit Bstr(const std::wstring& s) : s_(SysAllocStringLen(s.data(), static_cast<UINT>(s.size()))) {}
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  BSTR Get() const { return s_; }

 private:
  BSTR s_;
};

class RegKey {
 public:
  RegKey(HKEY root, const char* path) {
    if (RegOpenKeyExA(root, path, 0, KEY_READ, &key_) != ERROR_SUCCESS) key_ = nullptr;
  }
  ~RegKey() {
    if (key_) RegCloseKey(key_);
  }
  RegKey(const RegKey&) = delete;
  RegKey& operator=(const RegKey&) = delete;
  // A string value ("" for the default one); empty when missing.
  std::string Text(const char* name) const {
    if (!key_) return std::string();
    char buf[MAX_PATH * 2] = {};
    DWORD size = sizeof buf - 1, type = 0;
    if (RegQueryValueExA(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(buf), &size) != ERROR_SUCCESS ||
        (type != REG_SZ && type != REG_EXPAND_SZ)) {
      return std::string();
    }
    if (type == REG_SZ) return buf;
    char expanded[MAX_PATH * 2] = {};
    const DWORD n = ExpandEnvironmentStringsA(buf, expanded, sizeof expanded);
    return n > 0 && n <= sizeof expanded ? std::string(expanded) : std::string();
  }

 private:
  HKEY key_ = nullptr;
};

struct GdiObject {
  explicit GdiObject(HGDIOBJ h) : handle(h) {}
  ~GdiObject() {
    if (handle) DeleteObject(handle);
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  HGDIOBJ handle;
};

class Selected {
 public:
  Selected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(SelectObject(dc, obj)) {}
  ~Selected() { SelectObject(dc_, old_); }
  Selected(const Selected&) = delete;
  Selected& operator=(const Selected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

std::wstring Wide(const std::string& s) {
  if (s.empty()) return std::wstring();
  const int n = MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0);
  std::wstring out(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, s.data(), static_cast<int>(s.size()), &out[0], n);
  return out;
}

std::string Narrow(const wchar_t* s) {
  if (!s || !*s) return std::string();
  const int n = WideCharToMultiByte(CP_ACP, 0, s, -1, nullptr, 0, nullptr, nullptr);
  if (n <= 1) return std::string();
  std::string out(n - 1, '\0');
  WideCharToMultiByte(CP_ACP, 0, s, -1, &out[0], n, nullptr, nullptr);
  return out;
}

COLORREF Colour(uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

// GDI pens have no alpha: the strings are drawn in their colour as it shows
// over the stage.
COLORREF Blend(uint32_t over, uint32_t under, int alphaPercent) {
  auto mix = [&](int shift) {
    const int a = (over >> shift) & 0xFF, b = (under >> shift) & 0xFF;
    return static_cast<BYTE>((a * alphaPercent + b * (100 - alphaPercent) + 50) / 100);
  };
  return RGB(mix(16), mix(8), mix(0));
}

// Whether the control can show SWF content: a Flash player registered for
// the content type, with its server on disk.
bool FlashPlayerRegistered() {
  const std::string clsid =
      RegKey(HKEY_CLASSES_ROOT, "MIME\\Database\\Content Type\\application/x-shockwave-flash").Text("CLSID");
  if (clsid.empty()) return false;
  const std::string server = RegKey(HKEY_CLASSES_ROOT, ("CLSID\\" + clsid + "\\InprocServer32").c_str()).Text("");
  return !server.empty() && GetFileAttributesA(server.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool IsSwfAddress(const std::string& address) {
  if (address.size() < 4) return false;
  std::string tail = address.substr(address.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".swf";
}

// --- The box ----------------------------------------------------------------

class Host;

struct Box {
  explicit Box(HWND h) : hwnd(h), scene(movie::RandomAnchors(GetTickCount() ^ static_cast<uint32_t>(
                                                                 reinterpret_cast<uintptr_t>(h)))) {}
  HWND hwnd;
  HWND site = nullptr;  // the control's parent; hidden while the box draws the scene
  Host* host = nullptr;
  ComPtr<IOleObject> ole;
  ComPtr<IWebBrowser2> browser;
  ComPtr<IConnectionPoint> events;
  DWORD cookie = 0;
  std::string address;
  std::string navigated;
  bool drawsScene = false;
  bool animating = false;
  bool pointerOver = false;
  bool trackingLeave = false;
  movie::Point pointer = {0, 0};  // in stage coordinates
  movie::Scene scene;
  std::unique_ptr<GdiObject> font;
};

Box* BoxOf(HWND hwnd) { return reinterpret_cast<Box*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

// The container: one object is the client site, the in-place site, the
// frame and the sink of the control's navigation events.
class Host final : public IOleClientSite, public IOleInPlaceSite, public IOleInPlaceFrame, public IDispatch {
 public:
  explicit Host(Box* box) : box_(box) {}
  void Detach() { box_ = nullptr; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (riid == IID_IUnknown || riid == IID_IOleClientSite) {
      *out = static_cast<IOleClientSite*>(this);
    } else if (riid == IID_IOleWindow || riid == IID_IOleInPlaceSite) {
      *out = static_cast<IOleInPlaceSite*>(this);
    } else if (riid == IID_IOleInPlaceUIWindow || riid == IID_IOleInPlaceFrame) {
      *out = static_cast<IOleInPlaceFrame*>(this);
    } else if (riid == IID_IDispatch || riid == DIID_DWebBrowserEvents2) {
      *out = static_cast<IDispatch*>(this);
    } else {
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    const ULONG n = --refs_;
    if (n == 0) delete this;
    return n;
  }

  // IOleClientSite
  STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
  STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetContainer(IOleContainer** out) override {
    if (out) *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP ShowObject() override { return S_OK; }
  STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
  STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

  // IOleWindow, for the site and the frame alike
  STDMETHODIMP GetWindow(HWND* out) override {
    if (!out) return E_POINTER;
    *out = box_ ? box_->site : nullptr;
    return *out ? S_OK : E_FAIL;
  }
  STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

  // IOleInPlaceSite
  STDMETHODIMP CanInPlaceActivate() override { return box_ ? S_OK : S_FALSE; }
  STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
  STDMETHODIMP OnUIActivate() override { return S_OK; }
  STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc, LPRECT pos, LPRECT clip,
                                LPOLEINPLACEFRAMEINFO info) override {
    if (!frame || !doc || !pos || !clip || !info) return E_POINTER;
    *frame = static_cast<IOleInPlaceFrame*>(this);
    AddRef();
    *doc = nullptr;
    RECT r = {};
    if (box_) GetClientRect(box_->site, &r);
    *pos = r;
    *clip = r;
    info->fMDIApp = FALSE;
    info->hwndFrame = box_ ? GetAncestor(box_->hwnd, GA_ROOT) : nullptr;
    info->haccel = nullptr;
    info->cAccelEntries = 0;
    return S_OK;
  }
  STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
  STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
  STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
  STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
  STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
  STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

  // IOleInPlaceUIWindow, IOleInPlaceFrame: no menus, toolbars or status bar.
  STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
  STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
  STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
  STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
  STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
  STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }
  STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

  // IDispatch: DWebBrowserEvents2
  STDMETHODIMP GetTypeInfoCount(UINT* n) override {
    if (n) *n = 0;
    return S_OK;
  }
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** out) override {
    if (out) *out = nullptr;
    return E_NOTIMPL;
  }
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override {
    if (!box_ || !params) return S_OK;
    // Arguments arrive last first.
    if (id == DISPID_BEFORENAVIGATE2 && params->cArgs == 7) {
      const VARIANT* url = &params->rgvarg[5];
      if (V_VT(url) == (VT_BYREF | VT_VARIANT)) url = V_VARIANTREF(url);
      if (V_VT(url) == VT_BSTR) box_->navigated = Narrow(V_BSTR(url));
      // Nothing in the control could show the movie (and Windows would
      // offer it for download): the box shows the scene in its place.
      if (box_->drawsScene) SetCancel(params->rgvarg[0]);
    } else if (id == DISPID_FILEDOWNLOAD && params->cArgs >= 1) {
      SetCancel(params->rgvarg[0]);  // the box shows; it never saves
    }
    return S_OK;
  }

 private:
  static void SetCancel(VARIANT& cancel) {
    if (V_VT(&cancel) == (VT_BYREF | VT_BOOL) && V_BOOLREF(&cancel)) *V_BOOLREF(&cancel) = VARIANT_TRUE;
  }

  Box* box_;
  ULONG refs_ = 1;
};

void CreateControl(Box& box) {
  box.host = new Host(&box);
  RECT r = {};
  GetClientRect(box.site, &r);
  if (FAILED(CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                              box.ole.PutVoid())) ||
      FAILED(box.ole->SetClientSite(box.host))) {
    box.ole.Reset();
    return;
  }
  OleSetContainedObject(box.ole.Get(), TRUE);
  if (FAILED(box.ole->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, box.host, 0, box.site, &r)) ||
      FAILED(box.ole->QueryInterface(IID_IWebBrowser2, box.browser.PutVoid()))) {
    box.browser.Reset();
    return;
  }
  box.browser->put_Silent(VARIANT_TRUE);  // no script-error or other dialogs of its own
  ComPtr<IConnectionPointContainer> points;
  if (SUCCEEDED(box.browser->QueryInterface(IID_IConnectionPointContainer, points.PutVoid())) &&
      SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, box.events.Put()))) {
    if (FAILED(box.events->Advise(static_cast<IDispatch*>(box.host), &box.cookie))) box.events.Reset();
  }
}

void DestroyControl(Box& box) {
  if (box.events) box.events->Unadvise(box.cookie);
  box.events.Reset();
  box.browser.Reset();
  if (box.ole) {
    box.ole->Close(OLECLOSE_NOSAVE);
    box.ole->SetClientSite(nullptr);
  }
  box.ole.Reset();
  if (box.host) {
    box.host->Detach();
    box.host->Release();
    box.host = nullptr;
  }
}

// --- The scene, drawn natively ----------------------------------------------

POINT At(const movie::Point& origin, double x, double y) {
  return {static_cast<LONG>(std::lround(origin.x + x)), static_cast<LONG>(std::lround(origin.y + y))};
}

void PaintScene(Box& box, HDC dc, const RECT& client) {
  const movie::Point o = movie::StageOrigin(client.right, client.bottom);
  GdiObject white(CreateSolidBrush(RGB(255, 255, 255)));
  FillRect(dc, &client, static_cast<HBRUSH>(white.handle));  // the movie's background colour
  GdiObject stage(CreateSolidBrush(Colour(movie::kStageColour)));
  const POINT s0 = At(o, 0, 0), s1 = At(o, movie::kStageWidth, movie::kStageHeight);
  const RECT stageRect = {s0.x, s0.y, s1.x, s1.y};
  FillRect(dc, &stageRect, static_cast<HBRUSH>(stage.handle));

  // The strings: the movie's quadratic curves as the equivalent cubic ones.
  GdiObject pen(CreatePen(PS_SOLID, 1, Blend(movie::kLineColour, movie::kStageColour, movie::kLineAlpha)));
  {
    Selected usePen(dc, pen.handle);
    const double qx = movie::kCurveControlX, qy = movie::kCurveControlY;
    for (const movie::Ball& b : box.scene.Balls()) {
      const double x0 = b.anchorX, y0 = movie::kStageHeight, x1 = b.position.x, y1 = b.position.y;
      const POINT curve[4] = {At(o, x0, y0), At(o, x0 + (qx - x0) * 2 / 3, y0 + (qy - y0) * 2 / 3),
                              At(o, x1 + (qx - x1) * 2 / 3, y1 + (qy - y1) * 2 / 3), At(o, x1, y1)};
      PolyBezier(dc, curve, 4);
    }
  }

  GdiObject ball(CreateSolidBrush(Colour(movie::kBallColour)));
  {
    Selected useBrush(dc, ball.handle);
    Selected noPen(dc, GetStockObject(NULL_PEN));
    const double r = movie::kBallRadius;
    for (const movie::Ball& b : box.scene.Balls()) {
      const POINT tl = At(o, b.position.x - r, b.position.y - r);
      const POINT br = At(o, b.position.x + r, b.position.y + r);
      Ellipse(dc, tl.x, tl.y, br.x + 1, br.y + 1);  // a null pen leaves the edge one pixel in
    }
  }

  if (!box.font) {
    box.font = std::make_unique<GdiObject>(CreateFontA(-movie::kCaptionSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                                       CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                       DEFAULT_PITCH | FF_SWISS, "Arial"));
  }
  Selected useFont(dc, box.font->handle);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, Colour(movie::kCaptionColour));
  const int* c = movie::kCaptionBox;
  const POINT c0 = At(o, c[0], c[1] + 2), c1 = At(o, c[0] + c[2], c[1] + c[3]);  // a text field's 2 px gutter
  RECT captionRect = {c0.x, c0.y, c1.x, c1.y};
  DrawTextA(dc, movie::kCaption, -1, &captionRect, DT_CENTER | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(Box& box, HDC dc) {
  RECT client = {};
  GetClientRect(box.hwnd, &client);
  if (!box.drawsScene) {
    FillRect(dc, &client, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  // Drawn off screen first: the scene repaints 40 times a second.
  HDC mem = CreateCompatibleDC(dc);
  GdiObject bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
  {
    Selected useBitmap(mem, bitmap.handle);
    PaintScene(box, mem, client);
    BitBlt(dc, 0, 0, client.right, client.bottom, mem, 0, 0, SRCCOPY);
  }
  DeleteDC(mem);
}

bool ShownOnScreen(HWND hwnd) { return IsWindowVisible(hwnd) && !IsIconic(GetAncestor(hwnd, GA_ROOT)); }

void StartAnimation(Box& box) {
  if (box.animating || !box.drawsScene || !ShownOnScreen(box.hwnd)) return;
  box.animating = SetTimer(box.hwnd, kFrameTimer, kFrameMilliseconds, nullptr) != 0;
}

void StopAnimation(Box& box) {
  if (box.animating) KillTimer(box.hwnd, kFrameTimer);
  box.animating = false;
}

// The pointer comes from the box's own mouse messages, as a player in a
// window sees it: a move over the box places it, leaving takes it away.
void OnMouseMove(Box& box, LPARAM lp) {
  RECT client = {};
  GetClientRect(box.hwnd, &client);
  const movie::Point o = movie::StageOrigin(client.right, client.bottom);
  box.pointer = {MouseX(lp) - o.x, MouseY(lp) - o.y};
  box.pointerOver = true;
  if (!box.trackingLeave) {
    TRACKMOUSEEVENT t = {sizeof t, TME_LEAVE, box.hwnd, 0};
    box.trackingLeave = TrackMouseEvent(&t) != FALSE;
  }
}

void OnMouseLeave(Box& box) {
  box.pointerOver = false;
  box.trackingLeave = false;
}

void OnFrame(Box& box) {
  // A hidden parent (another tab) sends no message to the box: the timer
  // notices and stops, and the next paint starts it again.
  if (!ShownOnScreen(box.hwnd)) {
    StopAnimation(box);
    return;
  }
  if (box.scene.Step(box.pointerOver ? &box.pointer : nullptr)) InvalidateRect(box.hwnd, nullptr, FALSE);
}

void Layout(Box& box) {
  RECT r = {};
  GetClientRect(box.hwnd, &r);
  MoveWindow(box.site, 0, 0, r.right, r.bottom, TRUE);
  ComPtr<IOleInPlaceObject> inPlace;
  if (box.ole && SUCCEEDED(box.ole->QueryInterface(IID_IOleInPlaceObject, inPlace.PutVoid()))) {
    inPlace->SetObjectRects(&r, &r);
  }
}

LRESULT CALLBACK BoxProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  Box* box = BoxOf(hwnd);
  switch (msg) {
    case WM_NCCREATE:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new Box(hwnd)));
      break;
    case WM_CREATE:
      box->site = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0, 0, 0, 0, hwnd,
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
      Layout(*box);
      CreateControl(*box);
      return 0;
    case WM_SIZE:
      if (box) Layout(*box);
      break;
    case WM_ERASEBKGND:
      return 1;  // all painted in WM_PAINT
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd, &ps);
      Paint(*box, dc);
      EndPaint(hwnd, &ps);
      StartAnimation(*box);
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(*box, reinterpret_cast<HDC>(wp));
      return 0;
    case WM_SHOWWINDOW:
      if (box && !wp) {
        StopAnimation(*box);
        OnMouseLeave(*box);
      }
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(*box, lp);
      return 0;
    case WM_MOUSELEAVE:
      OnMouseLeave(*box);
      return 0;
    case WM_TIMER:
      if (wp == kFrameTimer) {
        OnFrame(*box);
        return 0;
      }
      break;
    case WM_DESTROY:
      StopAnimation(*box);
      DestroyControl(*box);
      break;
    case WM_NCDESTROY:
      SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
      delete box;
      break;
    default:
      break;
  }
  return DefWindowProcA(hwnd, msg, wp, lp);
}

bool RegisterBoxClass() {
  static const bool registered = [] {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = BoxProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  }();
  return registered;
}

}  // namespace

void* CreateBrowserBox(void* parent, int x, int y, int width, int height, int id) {
  if (!RegisterBoxClass()) return nullptr;
  return CreateWindowExA(0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, x, y, width, height,
                         static_cast<HWND>(parent), reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleA(nullptr), nullptr);
}

void SetBrowserBoxAddress(void* handle, const std::string& address) {
  Box* box = BoxOf(static_cast<HWND>(handle));
  if (!box) return;
  box->address = address;
  SetWindowTextA(box->hwnd, address.c_str());
  // Decided before navigating: the control's BeforeNavigate2 reads it.
  box->drawsScene = IsSwfAddress(address) && !(box->browser && FlashPlayerRegistered());
  ShowWindow(box->site, box->drawsScene || !box->browser ? SW_HIDE : SW_SHOW);
  InvalidateRect(box->hwnd, nullptr, FALSE);
  if (!box->drawsScene) StopAnimation(*box);
  if (!box->browser) return;
  const Bstr url(Wide(address));
  VARIANT flags, none;
  VariantInit(&flags);
  V_VT(&flags) = VT_I4;
  V_I4(&flags) = 0;
  VariantInit(&none);
  box->browser->Navigate(url.Get(), &flags, &none, &none, &none);
}

BrowserBoxState InspectBrowserBox(void* handle) {
  const Box* box = BoxOf(static_cast<HWND>(handle));
  if (!box) return {};
  return {box->address, box->navigated, static_cast<bool>(box->browser), box->drawsScene, box->animating};
}

}  // namespace platform
