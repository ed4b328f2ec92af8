#include "app/startup.h"

namespace app {

bool RunStartup(StartupSteps& steps, const std::vector<std::string>& arguments) {
  steps.ExtractSkinLibrary();
  steps.ExtractSkinFile();
  if (!steps.ApplySkin()) return false;
  steps.RegisterEnterHotkey();
  steps.RegisterDropTarget();
  steps.LoadSettings();
  steps.ExtractMovie();
  steps.ShowMovie();
  if (!arguments.empty()) {
    const std::string first = arguments.front();
    if (!first.empty() && first.size() != 3) steps.RoutePath(first);
  }
  return true;
}

}  // namespace app
