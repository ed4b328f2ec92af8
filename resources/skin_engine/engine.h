// Inside the skin engine: what engine.cpp (attachment, hook, subclassing,
// colour answers) and paint.cpp (the controls we draw ourselves) share.
#pragma once

#include <windows.h>

#include "skin_values.h"

namespace engine {

enum class Kind { Other, Dialog, Button, Edit, Static, Tab, Tree };

// Per skinned window, handed to the subclass procedure as its reference data.
struct WindowState {
  Kind kind = Kind::Other;
  bool hot = false;  // the mouse is over a button we draw
};

// The attached skin. Valid only while attached; paint code is reached only
// from subclassed windows, which exist only then.
const skin::Values& Skin();
HBRUSH WindowBrush();

// Buttons: push buttons and check boxes or radio buttons in their plain
// styles; everything else (group boxes, owner-draw, images) keeps its own
// painting.
bool DrawsButton(HWND button);
void PaintButton(HWND button, HDC dc, const WindowState& state);

// Tab controls with tabs along the top as tabs (not buttons, not owner-draw).
bool DrawsTab(HWND tab);
void PaintTab(HWND tab, HDC dc);

// Replaces the sunken 3D frame of an edit box by a flat one, after the
// default non-client painting.
void FlattenEditFrame(HWND edit);

}  // namespace engine
