// The program's entry: OLE, the run directory, the main window, the message
// loop and the exit callback.
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/form.h"
#include "app/main_window.h"
#include "app/real_steps.h"
#include "resources/skin.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/ui.h"
#include "platform/window.h"

namespace {

const char kFatalPrefix[] = "运行时出错!\r\n\r\n错误信息：";

}  // namespace

int TalvenorMain() {
  platform::InitializeOle();
  const app::ModulePath module = app::SplitModulePath(platform::ModuleFileName());
  platform::ChangeCurrentDirectory(module.runDirectory);

  if (!app::FormIsValid(app::MainForm())) {
    platform::ShowFatalError(std::string(kFatalPrefix) + "载入窗口模板数据段出错!\r\n");
    return -1;
  }

  app::MainWindow window(Program{module.runDirectory, module.executableName},
                         app::Services{ui::RealInteraction(), platform::RealFiles(), platform::RealProfile(),
                                       platform::RealRegistry()});
  app::RealSteps steps(window);
  window.SetStartupSteps(&steps);
  bool fatal = false;
  if (!window.Load(app::SplitCommandLine(platform::CommandLine()), true, &fatal)) {
    if (!fatal) platform::ShowFatalError(std::string(kFatalPrefix) + "载入启动窗口失败\r\n");
    return -1;
  }
  const int code = platform::RunMessageLoop(window.window().WindowHandle(nullptr));
  // The exit callback, then the runtime's own clean-up.
  window.wiring().ReleaseLastChosenPath();
  ReleaseSkinEngine();
  platform::UninitializeOle();
  return code;
}
