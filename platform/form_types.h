// The vocabulary of a form: the stored description of a window and its
// controls. Plain data, no Windows headers; the window toolkit
// (window_win.cpp) builds windows from it and tests read it.
#pragma once

#include <cstddef>

namespace form {

enum class Kind {
  Edit,              // EDIT
  Button,            // push button
  CheckBox,          // automatic check box
  Label,             // STATIC
  TransparentLabel,  // STATIC drawn over the tab's background, no input
  DropTarget,        // no window: the main window's OLE drop target
  Browser,           // the HTML browser box
};

enum Flag : unsigned {
  kDisabled = 1u << 0,
  kPassword = 1u << 1,
  kMultiLine = 1u << 2,
  kCentred = 1u << 3,
  kInvisible = 1u << 4,
  kChecked = 1u << 5,
  kGreyBackground = 1u << 6,  // RGB(236, 236, 236) behind the text
};

struct Font {
  const char* face;  // code page 936
  int pixelHeight;   // character height in pixels
  int charset;       // Windows charset number; 134 = GB2312
};

struct Control {
  const char* name;   // code page 936, unique within the form
  int tab;            // 0..5
  Kind kind;
  int x, y;           // relative to the tab control's top-left corner
  int width, height;
  unsigned flags;     // Flag bits
  int textLimit;      // 0 = none
  const Font* font;   // nullptr = the default user-interface font
  const char* text;   // initial text or caption, nullptr = none
};

struct Window {
  const char* title;
  int outerWidth, outerHeight;  // borders and title bar included
  int tabX, tabY, tabWidth, tabHeight;
  const Font* tabFont;
  const char* const* tabCaptions;
  int tabCount;
  const Control* controls;  // within each tab, in focus order
  size_t controlCount;
};

}  // namespace form
