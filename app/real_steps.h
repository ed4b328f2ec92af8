// The program's own start-up steps, one line each.
#pragma once

#include "app/main_window.h"

namespace app {

class RealSteps final : public StartupSteps {
 public:
  explicit RealSteps(MainWindow& window) : w_(window) {}
  void ExtractSkinLibrary() override;
  void ExtractSkinFile() override;
  bool ApplySkin() override;
  void RegisterEnterHotkey() override;
  void RegisterDropTarget() override;
  void LoadSettings() override;
  void ExtractMovie() override;
  void ShowMovie() override;
  void RoutePath(const std::string& path) override;

 private:
  MainWindow& w_;
};

}  // namespace app
