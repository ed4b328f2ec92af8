// The program's main window: the form built by the window toolkit, the
// context its handlers run in, and the handlers wired to the form's events.
#pragma once

#include <string>
#include <vector>

#include "app/startup.h"
#include "app/wiring.h"
#include "platform/context.h"
#include "platform/window.h"

namespace app {

struct Services {
  ui::Interaction& interaction;
  platform::Files& files;
  platform::Profile& profile;
  platform::Registry& registry;
};

class MainWindow {
 public:
  // `steps` runs as the created handler: the program's real steps
  // (real_steps.h) or a test's recorder.
  MainWindow(Program program, Services services, StartupSteps* steps = nullptr);
  void SetStartupSteps(StartupSteps* steps) { steps_ = steps; }
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Builds the window and runs the start-up sequence with the command line's
  // arguments; shows the window afterwards when `show`. False when the window
  // could not be created (`fatal` false) or start-up ended fatally (`fatal` true).
  bool Load(const std::vector<std::string>& arguments, bool show, bool* fatal = nullptr);

  platform::FormWindow& window() { return window_; }
  Context& context() { return context_; }
  Wiring& wiring() { return wiring_; }

  // Runs the operation behind a button, as its click would.
  void Click(const char* control);

 private:
  void OnClicked(const char* control);
  void OnFeedback(const char* control, intptr_t, intptr_t);

  platform::FormWindow window_;
  Context context_;
  Wiring wiring_;
  StartupSteps* steps_;
  std::vector<std::string> arguments_;
  bool fatal_ = false;
};

}  // namespace app
