#include "app/main_window.h"

#include <cstring>

#include "app/form.h"
#include "lock/operations.h"
#include "settings/settings.h"

namespace app {

MainWindow::MainWindow(Program program, Services services, StartupSteps* steps)
    : window_(MainForm(),
              platform::WindowEvents{
                  [this] {
                    if (!steps_) return true;
                    fatal_ = !RunStartup(*steps_, arguments_);
                    return !fatal_;
                  },
                  [this](const char* control) { OnClicked(control); },
                  [this](const char* control, intptr_t a, intptr_t b) { OnFeedback(control, a, b); },
                  [this](unsigned message, uintptr_t wParam, intptr_t lParam) {
                    wiring_.Watch(message, wParam, lParam);
                  }}),
      context_{window_, services.interaction, services.files, services.profile, services.registry,
               std::move(program)},
      wiring_(context_),
      steps_(steps) {}

MainWindow::~MainWindow() = default;

bool MainWindow::Load(const std::vector<std::string>& arguments, bool show, bool* fatal) {
  arguments_ = arguments;
  fatal_ = false;
  const bool ok = window_.Load(show);
  arguments_.clear();  // the argument list lives only as long as the created handler
  if (fatal) *fatal = fatal_;
  return ok;
}

void MainWindow::Click(const char* control) { OnClicked(control); }

// The clicked handlers of the form's buttons and check boxes.
void MainWindow::OnClicked(const char* control) {
  struct Handler {
    const char* control;
    void (*run)(MainWindow&);
  };
  static const Handler handlers[] = {
      {"开始_按钮", [](MainWindow& w) { w.wiring_.Browse(); }},
      {"加密_按钮", [](MainWindow& w) { w.wiring_.Browse(); }},
      {"解密_按钮", [](MainWindow& w) { w.wiring_.Browse(); }},
      {"改密_按钮", [](MainWindow& w) { w.wiring_.RouteChangePath(); }},
      {"按钮3", [](MainWindow& w) { LockFolder(w.context_); }},
      {"按钮1", [](MainWindow& w) { UnlockFolder(w.context_); }},
      {"按钮2", [](MainWindow& w) { ChangePassword(w.context_); }},
      {"选择框2", [](MainWindow& w) { OnKeepOnTopClicked(w.context_); }},
      {"选择框3", [](MainWindow& w) { OnMenuOptionClicked(w.context_); }},
      {"选择框4", [](MainWindow& w) { OnExitOptionClicked(w.context_); }},
  };
  for (const Handler& h : handlers)
    if (std::strcmp(h.control, control) == 0) h.run(*this);
}

void MainWindow::OnFeedback(const char* control, intptr_t, intptr_t) {
  if (std::strcmp(control, "标签1") == 0) wiring_.OnFeedback();
}

}  // namespace app
