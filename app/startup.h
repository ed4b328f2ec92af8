// The created handler of the main window: the start-up steps in their order.
#pragma once

#include <string>
#include <vector>

namespace app {

// One call per start-up step, so that a test can record their order.
class StartupSteps {
 public:
  virtual ~StartupSteps() = default;
  virtual void ExtractSkinLibrary() = 0;
  virtual void ExtractSkinFile() = 0;
  // False: the fatal error has been shown; no later step may run.
  virtual bool ApplySkin() = 0;
  virtual void RegisterEnterHotkey() = 0;
  virtual void RegisterDropTarget() = 0;
  virtual void LoadSettings() = 0;
  virtual void ExtractMovie() = 0;
  virtual void ShowMovie() = 0;
  virtual void RoutePath(const std::string& path) = 0;
};

// Runs the steps in order, routing the first argument when it is not empty
// and not exactly three bytes long (the form of a drive root such as D:\).
// False when start-up must end with the fatal exit.
bool RunStartup(StartupSteps& steps, const std::vector<std::string>& arguments);

}  // namespace app
