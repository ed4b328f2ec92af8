// ShowMovie writes the movie's path into the about tab's browser box.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "doubles.h"
#include "platform/context.h"
#include "platform/ui.h"
#include "resources/movie.h"

namespace {

// Records the address writes; every other control operation is a fault here.
class AddressRecorder final : public ui::Surface {
 public:
  std::vector<std::pair<std::string, std::string>> addresses;
  int others = 0;

  std::string Text(ui::Name) override { return ++others, std::string(); }
  void SetText(ui::Name, const std::string&) override { ++others; }
  bool Checked(ui::Name) override { return ++others, false; }
  void SetChecked(ui::Name, bool) override { ++others; }
  int CurrentTab() override { return ++others, 0; }
  void SetCurrentTab(int) override { ++others; }
  void SetAlwaysOnTop(bool) override { ++others; }
  void SetAddress(ui::Name control, const std::string& address) override {
    addresses.emplace_back(control, address);
  }
  void SetFocus(ui::Name) override { ++others; }
  void* WindowHandle(ui::Name) override { return ++others, nullptr; }
  void Close() override { ++others; }
};

TEST(ShowMovie, AddressIsTheRunDirectoryFollowedByTheMovieName) {
  struct Case {
    const char* runDirectory;
    const char* expected;
  } cases[] = {
      {"C:\\tools", "C:\\tools\\gy.swf"},
      {"D:", "D:\\gy.swf"},  // at a drive root the name supplies the only backslash
      {"C:\\加密\\软件", "C:\\加密\\软件\\gy.swf"},
      {"C:\\a b.c", "C:\\a b.c\\gy.swf"},
  };
  for (const Case& c : cases) {
    AddressRecorder surface;
    testing_doubles::RecordingInteraction interaction;
    testing_doubles::NullFiles files;
    testing_doubles::NullProfile profile;
    testing_doubles::NullRegistry registry;
    Context ctx{surface, interaction, files, profile, registry, Program{c.runDirectory, "Talvenor.exe"}};
    resources::ShowMovie(ctx);
    ASSERT_EQ(surface.addresses.size(), 1u) << c.runDirectory;
    // Code page 936 bytes of the form's control name.
    EXPECT_EQ(surface.addresses[0].first, "\xB3\xAC\xCE\xC4\xB1\xBE\xE4\xAF\xC0\xC0\xBF\xF2" "1");
    EXPECT_EQ(surface.addresses[0].second, c.expected);
    EXPECT_EQ(surface.others, 0);
    EXPECT_TRUE(interaction.messages.empty());
  }
}

}  // namespace
