// The created handler: the start-up steps in their order, all before the
// window is shown, and the routing of the first command-line argument.
#include <windows.h>

#include <gtest/gtest.h>

#include "app/main_window.h"
#include "doubles.h"

namespace {

using testing_doubles::NullFiles;
using testing_doubles::NullProfile;
using testing_doubles::NullRegistry;
using testing_doubles::RecordingInteraction;

class RecordingSteps : public app::StartupSteps {
 public:
  std::vector<std::string> log;
  bool skinWorks = true;
  app::MainWindow* window = nullptr;

  void Note(const std::string& step) {
    HWND main = static_cast<HWND>(window->window().WindowHandle(nullptr));
    log.push_back(step + (IsWindowVisible(main) ? " (visible!)" : ""));
  }
  void ExtractSkinLibrary() override { Note("extract SkinH_EL.dll"); }
  void ExtractSkinFile() override { Note("extract skin.she"); }
  bool ApplySkin() override {
    Note("apply skin");
    return skinWorks;
  }
  void RegisterEnterHotkey() override { Note("hotkey"); }
  void RegisterDropTarget() override { Note("drop target"); }
  void LoadSettings() override { Note("settings"); }
  void ExtractMovie() override { Note("extract gy.swf"); }
  void ShowMovie() override { Note("show movie"); }
  void RoutePath(const std::string& path) override { Note("route " + path); }
};

struct StartupFixture : ::testing::Test {
  RecordingInteraction interaction;
  NullFiles files;
  NullProfile profile;
  NullRegistry registry;
  RecordingSteps steps;
  app::MainWindow window{Program{"C:\\t", "Talvenor.exe"}, app::Services{interaction, files, profile, registry},
                         &steps};
  void SetUp() override { steps.window = &window; }
  void TearDown() override {
    window.window().Destroy();
    platform::PumpMessages();
  }
};

TEST_F(StartupFixture, StepsRunInOrderBeforeTheWindowIsShown) {
  ASSERT_TRUE(window.Load({"C:\\data\\private"}, true));
  const std::vector<std::string> expected = {
      "extract SkinH_EL.dll", "extract skin.she", "apply skin", "hotkey", "drop target",
      "settings", "extract gy.swf", "show movie", "route C:\\data\\private"};
  EXPECT_EQ(steps.log, expected);
  EXPECT_TRUE(IsWindowVisible(static_cast<HWND>(window.window().WindowHandle(nullptr))));
}

TEST_F(StartupFixture, FatalSkinStopsTheSequence) {
  steps.skinWorks = false;
  bool fatal = false;
  EXPECT_FALSE(window.Load({"C:\\data"}, true, &fatal));
  EXPECT_TRUE(fatal);
  const std::vector<std::string> expected = {"extract SkinH_EL.dll", "extract skin.she", "apply skin"};
  EXPECT_EQ(steps.log, expected);
  EXPECT_FALSE(window.window().Alive());
}

struct RouteCase {
  const char* label;
  std::vector<std::string> args;
  const char* routed;  // nullptr = nothing routed
};

class RoutingFixture : public StartupFixture, public ::testing::WithParamInterface<RouteCase> {};

TEST_P(RoutingFixture, FirstArgument) {
  const RouteCase& c = GetParam();
  ASSERT_TRUE(window.Load(c.args, false));
  const std::string last = steps.log.back();
  EXPECT_EQ(last, c.routed ? std::string("route ") + c.routed : std::string("show movie"));
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, RoutingFixture,
    ::testing::Values(RouteCase{"none", {}, nullptr},
                      RouteCase{"drive root is three bytes", {"D:\\"}, nullptr},
                      RouteCase{"any three bytes", {"D:a"}, nullptr},
                      RouteCase{"a two-byte character and one byte", {"\xCB\xBD" "a"}, nullptr},
                      RouteCase{"two bytes are routed", {"D:"}, "D:"},
                      RouteCase{"four bytes are routed", {"D:\\a"}, "D:\\a"},
                      RouteCase{"empty first argument hides the second", {"", "D:\\data"}, nullptr},
                      RouteCase{"only the first of several", {"D:\\one", "D:\\two"}, "D:\\one"}),
    [](const ::testing::TestParamInfo<RouteCase>& param) {
      std::string name;
      for (const char* p = param.param.label; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
      return name;
    });

}  // namespace
