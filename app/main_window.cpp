#include "app/main_window.h"

#include <cstring>

#include "app/form.h"

namespace app {
namespace {

// The clicked handlers of the form's buttons and check boxes.
struct ClickHandler {
  const char* control;
  void (*run)(Context&);
};

const ClickHandler kClickHandlers[] = {
    {nullptr, nullptr},
};

}  // namespace

class MainWindow::RealSteps final : public StartupSteps {
 public:
  explicit RealSteps(MainWindow& w) : w_(w) {}
  void ExtractSkinLibrary() override {}
  void ExtractSkinFile() override {}
  bool ApplySkin() override { return true; }
  void RegisterEnterHotkey() override {}
  void RegisterDropTarget() override {}
  void LoadSettings() override {}
  void ExtractMovie() override {}
  void ShowMovie() override {}
  void RoutePath(const std::string&) override {}

 private:
  MainWindow& w_;
};

MainWindow::MainWindow(Program program, Services services, StartupSteps* steps)
    : window_(MainForm(),
              platform::WindowEvents{
                  [this] {
                    fatal_ = !RunStartup(*steps_, arguments_);
                    return !fatal_;
                  },
                  [this](const char* control) { OnClicked(control); },
                  [this](const char* control, intptr_t a, intptr_t b) { OnFeedback(control, a, b); },
                  nullptr}),
      context_{window_, services.interaction, services.files, services.profile, services.registry,
               std::move(program)},
      realSteps_(steps ? nullptr : std::make_unique<RealSteps>(*this)),
      steps_(steps ? steps : realSteps_.get()) {}

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

void MainWindow::OnClicked(const char* control) {
  for (const ClickHandler& h : kClickHandlers)
    if (h.control && std::strcmp(h.control, control) == 0) h.run(context_);
}

void MainWindow::OnFeedback(const char*, intptr_t, intptr_t) {}

}  // namespace app
