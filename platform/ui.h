// The two faces of the user interface that operations see, as small
// interfaces: the control surface of the main window (read and write boxes
// by control name) and the interactive seam (everything that waits for a
// person). The main window implements the first; the real seam is in
// interaction_win.cpp; tests substitute recorders for either.
#pragma once

#include <string>

namespace ui {

// Control names are code page 936 byte strings, exactly as the form gives them.
using Name = const char*;

class Surface {
 public:
  virtual ~Surface() = default;

  // An edit box's text; replaces the whole text.
  virtual std::string Text(Name control) = 0;
  virtual void SetText(Name control, const std::string& value) = 0;

  // A check box's state. Setting it runs no clicked handler.
  virtual bool Checked(Name control) = 0;
  virtual void SetChecked(Name control, bool checked) = 0;

  // The tab control's current tab. Setting clamps to 0..5, shows that tab's
  // page and raises no tab event.
  virtual int CurrentTab() = 0;
  virtual void SetCurrentTab(int index) = 0;

  // The main window's always-on-top state (HWND_TOPMOST / HWND_NOTOPMOST).
  virtual void SetAlwaysOnTop(bool on) = 0;

  // The browser box's address: stores it and lets the box navigate there.
  virtual void SetAddress(Name control, const std::string& address) = 0;

  // Keyboard focus to a control; nullptr gives it to the main window itself.
  virtual void SetFocus(Name control) = 0;

  // Native window handle of the main window (nullptr) or of a control.
  virtual void* WindowHandle(Name control) = 0;

  // Posts a close request to the main window and returns at once.
  virtual void Close() = 0;
};

enum class Icon { Information, Warning, Error };

class Interaction {
 public:
  virtual ~Interaction() = default;

  // MessageBoxA: no owner, OK only, the icon, MB_TASKMODAL; answer ignored.
  virtual void ShowMessage(const std::string& message, const std::string& title, Icon icon) = 0;

  // The folder browser: the chosen folder's path, or the empty text.
  virtual std::string ChooseFolder(const std::string& title) = 0;

  // ShellExecuteA "open" on a folder; the result is not looked at.
  virtual void OpenFolder(const std::string& path) = 0;

  // Blocks the thread (Sleep).
  virtual void Pause(unsigned milliseconds) = 0;
};

// The seam used by the real program.
Interaction& RealInteraction();

}  // namespace ui
