// The window toolkit: builds a top-level window with a tab control and its
// controls from a form, raises the form's events and implements the control
// surface over the real controls.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "platform/form_types.h"
#include "platform/ui.h"

namespace platform {

struct WindowEvents {
  // Runs after every control exists and before the window is shown; false
  // ends the loading (the window is destroyed, nothing is shown).
  std::function<bool()> created;
  // A button or check box was clicked (a check box is already toggled).
  std::function<void(const char* control)> clicked;
  // A label received the feedback message (0x8075) with its two parameters.
  std::function<void(const char* control, intptr_t, intptr_t)> feedback;
  // A message reached the main window before its own handling; the hotkey
  // wiring watches WM_HOTKEY and WM_ACTIVATE here.
  std::function<void(unsigned message, uintptr_t wParam, intptr_t lParam)> watch;
};

// The private window message that makes a label raise its feedback event.
constexpr unsigned kLabelFeedbackMessage = 0x8075;

class FormWindow final : public ui::Surface {
 public:
  FormWindow(const form::Window& form, WindowEvents events);
  ~FormWindow() override;
  FormWindow(const FormWindow&) = delete;
  FormWindow& operator=(const FormWindow&) = delete;

  // Creates the window and its controls, raises `created`, and on success
  // shows the window. False when the window could not be created or the
  // created handler refused.
  bool Load(bool show = true);

  // True while the native window exists.
  bool Alive() const;

  // Control surface.
  std::string Text(ui::Name control) override;
  void SetText(ui::Name control, const std::string& value) override;
  bool Checked(ui::Name control) override;
  void SetChecked(ui::Name control, bool checked) override;
  int CurrentTab() override;
  void SetCurrentTab(int index) override;
  void SetAlwaysOnTop(bool on) override;
  void SetAddress(ui::Name control, const std::string& address) override;
  void SetFocus(ui::Name control) override;
  void* WindowHandle(ui::Name control) override;
  void Close() override;

  // The address last written into a browser box.
  std::string Address(ui::Name control) const;

  // Destroys the window at once (tests).
  void Destroy();

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// Runs the thread's message loop until WM_QUIT; returns its exit code. Keys
// go through IsDialogMessage for `dialog` so that Tab moves the focus.
int RunMessageLoop(void* dialog);

// Processes pending messages without blocking (tests).
void PumpMessages();

}  // namespace platform
