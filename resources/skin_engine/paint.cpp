// The controls the engine draws itself: flat push buttons, check boxes and
// radio buttons, tabs, and the frame of edit boxes. Colours a parent gives
// its controls (WM_CTLCOLOR*) are asked for just as the stock controls ask,
// so a window's own choices show through.
#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include "engine.h"

namespace engine {
namespace {

// Paints into a memory bitmap and copies it out in one step: no flicker
// between the fill and the text.
class Buffer {
 public:
  Buffer(HDC target, const RECT& rc) : target_(target), rc_(rc) {
    dc_ = CreateCompatibleDC(target);
    bitmap_ = CreateCompatibleBitmap(target, Width(), Height());
    if (dc_ && bitmap_) {
      old_ = SelectObject(dc_, bitmap_);
      SetWindowOrgEx(dc_, rc.left, rc.top, nullptr);
    }
  }
  ~Buffer() {
    if (dc_ && bitmap_) {
      SetWindowOrgEx(dc_, 0, 0, nullptr);
      BitBlt(target_, rc_.left, rc_.top, Width(), Height(), dc_, 0, 0, SRCCOPY);
      SelectObject(dc_, old_);
    }
    if (bitmap_) DeleteObject(bitmap_);
    if (dc_) DeleteDC(dc_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;
  // Falls back to the target itself when no bitmap could be made.
  HDC dc() const { return dc_ && bitmap_ ? dc_ : target_; }

 private:
  int Width() const { return rc_.right - rc_.left; }
  int Height() const { return rc_.bottom - rc_.top; }
  HDC target_;
  RECT rc_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
};

// Restores the DC's selected objects and modes on the way out.
class SavedDC {
 public:
  explicit SavedDC(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
  ~SavedDC() { RestoreDC(dc_, saved_); }
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;

 private:
  HDC dc_;
  int saved_;
};

void Fill(HDC dc, const RECT& rc, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& rc, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &rc, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void UseColours(HDC dc, COLORREF pen, COLORREF brush) {
  SelectObject(dc, GetStockObject(DC_PEN));
  SelectObject(dc, GetStockObject(DC_BRUSH));
  SetDCPenColor(dc, pen);
  SetDCBrushColor(dc, brush);
}

bool IsHollow(HBRUSH brush) {
  LOGBRUSH lb = {};
  return !brush || (GetObjectA(brush, sizeof lb, &lb) == sizeof lb && lb.lbStyle == BS_HOLLOW);
}

// A control's caption; captions longer than the buffer are cut, which no
// button or check box of a dialog comes near.
struct Caption {
  explicit Caption(HWND hwnd) { GetWindowTextA(hwnd, text, sizeof text); }
  char text[512] = {};
};

HFONT FontOf(HWND hwnd) {
  auto font = reinterpret_cast<HFONT>(SendMessageA(hwnd, WM_GETFONT, 0, 0));
  return font ? font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT));
}

LRESULT UiState(HWND hwnd) { return SendMessageA(hwnd, WM_QUERYUISTATE, 0, 0); }

// The brush the parent gives a control, as the stock controls ask for it;
// it also leaves the parent's text colour in the DC.
HBRUSH ParentBrush(HWND control, HDC dc, UINT msg) {
  HWND parent = GetParent(control);
  if (!parent) return WindowBrush();
  return reinterpret_cast<HBRUSH>(SendMessageA(parent, msg, reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(control)));
}

enum class ButtonLook { None, Push, Check, Radio };

ButtonLook LookOf(HWND button) {
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  if (style & (BS_BITMAP | BS_ICON)) return ButtonLook::None;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      return ButtonLook::Push;
    case BS_CHECKBOX: case BS_AUTOCHECKBOX: case BS_3STATE: case BS_AUTO3STATE:
      return style & BS_PUSHLIKE ? ButtonLook::Push : ButtonLook::Check;
    case BS_RADIOBUTTON: case BS_AUTORADIOBUTTON:
      return style & BS_PUSHLIKE ? ButtonLook::Push : ButtonLook::Radio;
  }
  return ButtonLook::None;
}

UINT TextFormat(HWND hwnd, LONG style) {
  UINT format = style & BS_MULTILINE ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
  if (UiState(hwnd) & UISF_HIDEACCEL) format |= DT_HIDEPREFIX;
  return format;
}

// Draws `text` in `area`; multi-line text is centred vertically by hand,
// which DT_VCENTER does only for single lines. Returns where it went.
RECT DrawLabel(HDC dc, const char* text, RECT area, UINT format) {
  RECT used = area;
  DrawTextA(dc, text, -1, &used, format | DT_CALCRECT);
  if (format & DT_WORDBREAK) {
    const int shift = ((area.bottom - area.top) - (used.bottom - used.top)) / 2;
    if (shift > 0) area.top += shift;
  }
  DrawTextA(dc, text, -1, &area, format);
  const int width = used.right - used.left;
  if (format & DT_CENTER) used.left = area.left + ((area.right - area.left) - width) / 2;
  else used.left = area.left;
  used.right = used.left + width;
  if (!(format & DT_WORDBREAK)) {
    const int height = used.bottom - used.top;
    used.top = area.top + ((area.bottom - area.top) - height) / 2;
    used.bottom = used.top + height;
  }
  return used;
}

void PaintPush(HWND button, HDC dc, const WindowState& state, const RECT& rc) {
  const skin::Values& v = Skin();
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  const LRESULT flags = SendMessageA(button, BM_GETSTATE, 0, 0);
  const bool enabled = IsWindowEnabled(button) != FALSE;
  const bool pressed = (flags & (BST_PUSHED | BST_CHECKED)) != 0;
  const bool focused = GetFocus() == button;
  const bool isDefault = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;

  // The corners outside the rounded face show the parent's colour.
  HBRUSH back = ParentBrush(button, dc, WM_CTLCOLORBTN);
  if (IsHollow(back)) back = WindowBrush();
  FillRect(dc, &rc, back);

  const COLORREF face = !enabled ? v.buttonFace : pressed ? v.buttonPressed : state.hot ? v.buttonHot : v.buttonFace;
  const COLORREF edge = enabled && (isDefault || focused) ? v.accent : v.buttonBorder;
  UseColours(dc, edge, face);
  const int round = 2 * v.buttonRadius;
  RoundRect(dc, rc.left, rc.top, rc.right, rc.bottom, round, round);

  SelectObject(dc, FontOf(button));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, enabled ? v.buttonText : v.disabledText);
  RECT text = {rc.left + 4, rc.top + 2, rc.right - 4, rc.bottom - 2};
  if (pressed) OffsetRect(&text, 1, 1);
  DrawLabel(dc, Caption(button).text, text, TextFormat(button, style) | DT_CENTER);

  if (focused && !(UiState(button) & UISF_HIDEFOCUS)) {
    RECT ring = rc;
    InflateRect(&ring, -3, -3);
    SetTextColor(dc, v.buttonText);
    DrawFocusRect(dc, &ring);
  }
}

void DrawCheckMark(HDC dc, const RECT& box, COLORREF colour) {
  const int x = box.left, y = box.top, s = box.right - box.left;
  const POINT mark[] = {{x + s * 3 / 13, y + s * 6 / 13}, {x + s * 5 / 13, y + s * 9 / 13},
                        {x + s * 10 / 13, y + s * 3 / 13}};
  HPEN pen = CreatePen(PS_SOLID, s >= 13 ? 2 : 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  Polyline(dc, mark, 3);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void PaintCheck(HWND button, HDC dc, const WindowState& state, const RECT& rc, bool radio) {
  const skin::Values& v = Skin();
  const LONG style = GetWindowLongA(button, GWL_STYLE);
  const bool enabled = IsWindowEnabled(button) != FALSE;
  const LRESULT flags = SendMessageA(button, BM_GETSTATE, 0, 0);
  const LRESULT check = SendMessageA(button, BM_GETCHECK, 0, 0);

  // Background and text colour as the parent gives them to check boxes.
  HBRUSH back = ParentBrush(button, dc, WM_CTLCOLORSTATIC);
  const COLORREF text = enabled ? GetTextColor(dc) : v.disabledText;
  if (!IsHollow(back)) FillRect(dc, &rc, back);

  const int size = 13;
  const bool boxRight = (style & BS_LEFTTEXT) != 0;
  RECT box;
  box.top = rc.top + ((rc.bottom - rc.top) - size) / 2;
  box.bottom = box.top + size;
  box.left = boxRight ? rc.right - size : rc.left;
  box.right = box.left + size;

  const COLORREF fill = (flags & BST_PUSHED) ? v.buttonPressed : v.editBackground;
  const COLORREF edge = !enabled ? v.disabledText : (state.hot || GetFocus() == button) ? v.accent : v.border;
  UseColours(dc, edge, fill);
  const COLORREF mark = enabled ? v.accent : v.disabledText;
  if (radio) {
    Ellipse(dc, box.left, box.top, box.right, box.bottom);
    if (check == BST_CHECKED) {
      UseColours(dc, mark, mark);
      Ellipse(dc, box.left + 4, box.top + 4, box.right - 4, box.bottom - 4);
    }
  } else {
    Rectangle(dc, box.left, box.top, box.right, box.bottom);
    if (check == BST_CHECKED) {
      DrawCheckMark(dc, box, mark);
    } else if (check == BST_INDETERMINATE) {
      RECT inner = box;
      InflateRect(&inner, -3, -3);
      Fill(dc, inner, mark);
    }
  }

  SelectObject(dc, FontOf(button));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text);
  RECT area = rc;
  if (boxRight) area.right = box.left - 4;
  else area.left = box.right + 4;
  const RECT used = DrawLabel(dc, Caption(button).text, area, TextFormat(button, style) | DT_LEFT);
  if (GetFocus() == button && !(UiState(button) & UISF_HIDEFOCUS)) {
    RECT ring = used;
    InflateRect(&ring, 1, 1);
    IntersectRect(&ring, &ring, &rc);
    DrawFocusRect(dc, &ring);
  }
}

}  // namespace

bool DrawsButton(HWND button) { return LookOf(button) != ButtonLook::None; }

void PaintButton(HWND button, HDC target, const WindowState& state) {
  RECT rc;
  GetClientRect(button, &rc);
  if (rc.right <= rc.left || rc.bottom <= rc.top) return;
  Buffer buffer(target, rc);
  HDC dc = buffer.dc();
  SavedDC saved(dc);
  switch (LookOf(button)) {
    case ButtonLook::Push: PaintPush(button, dc, state, rc); break;
    case ButtonLook::Check: PaintCheck(button, dc, state, rc, false); break;
    case ButtonLook::Radio: PaintCheck(button, dc, state, rc, true); break;
    case ButtonLook::None: break;
  }
}

bool DrawsTab(HWND tab) {
  const LONG style = GetWindowLongA(tab, GWL_STYLE);
  return !(style & (TCS_BUTTONS | TCS_VERTICAL | TCS_BOTTOM | TCS_OWNERDRAWFIXED));
}

void PaintTab(HWND tab, HDC target) {
  const skin::Values& v = Skin();
  RECT rc;
  GetClientRect(tab, &rc);
  if (rc.right <= rc.left || rc.bottom <= rc.top) return;
  Buffer buffer(target, rc);
  HDC dc = buffer.dc();
  SavedDC saved(dc);

  const int count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
  const int current = static_cast<int>(SendMessageA(tab, TCM_GETCURSEL, 0, 0));
  int rowBottom = rc.top;
  for (int i = 0; i < count; ++i) {
    RECT item;
    if (SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item)) && item.bottom > rowBottom)
      rowBottom = item.bottom;
  }

  Fill(dc, rc, v.windowBackground);
  RECT page = {rc.left, rowBottom, rc.right, rc.bottom};
  Frame(dc, page, v.border);

  SelectObject(dc, FontOf(tab));
  SetBkMode(dc, TRANSPARENT);
  const bool showFocus = GetFocus() == tab && !(UiState(tab) & UISF_HIDEFOCUS);
  for (int i = 0; i < count; ++i) {
    RECT item;
    if (!SendMessageA(tab, TCM_GETITEMRECT, i, reinterpret_cast<LPARAM>(&item))) continue;
    const bool selected = i == current;
    if (selected) {
      InflateRect(&item, 2, 0);
      item.top -= 2;
    }
    item.bottom = rowBottom + (selected ? 1 : 0);  // the current tab opens into its page
    UseColours(dc, v.border, selected ? v.windowBackground : v.tabBackground);
    Rectangle(dc, item.left, item.top, item.right, item.bottom);
    if (selected) {
      RECT bar = {item.left, item.top, item.right, item.top + 2};
      Fill(dc, bar, v.accent);
    }

    char text[256] = {};
    TCITEMA info = {};
    info.mask = TCIF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(&info));
    SetTextColor(dc, IsWindowEnabled(tab) ? v.windowText : v.disabledText);
    RECT label = item;
    if (selected) label.top += 2;
    const RECT used = DrawLabel(dc, text, label, DT_SINGLELINE | DT_VCENTER | DT_CENTER);
    if (selected && showFocus) {
      RECT ring = used;
      InflateRect(&ring, 2, 1);
      DrawFocusRect(dc, &ring);
    }
  }
}

void FlattenEditFrame(HWND edit) {
  if (!(GetWindowLongA(edit, GWL_EXSTYLE) & WS_EX_CLIENTEDGE)) return;
  HDC dc = GetWindowDC(edit);
  if (!dc) return;
  RECT rc;
  GetWindowRect(edit, &rc);
  OffsetRect(&rc, -rc.left, -rc.top);
  Frame(dc, rc, Skin().border);
  // The inner ring takes the box's own background, which the parent chooses.
  const LONG style = GetWindowLongA(edit, GWL_STYLE);
  const UINT msg = (style & ES_READONLY) || !IsWindowEnabled(edit) ? WM_CTLCOLORSTATIC : WM_CTLCOLOREDIT;
  HBRUSH inside = ParentBrush(edit, dc, msg);
  if (!IsHollow(inside)) {
    InflateRect(&rc, -1, -1);
    FrameRect(dc, &rc, inside);
  }
  ReleaseDC(edit, dc);
}

}  // namespace engine
