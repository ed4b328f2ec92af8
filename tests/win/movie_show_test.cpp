// ShowMovie writes the movie's path into the about tab's browser box.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/context.h"
#include "platform/files.h"
#include "platform/profile.h"
#include "platform/registry.h"
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

// ShowMovie touches neither files, settings, registry nor the user.
struct Untouched final : ui::Interaction, platform::Files, platform::Profile, platform::Registry {
  int calls = 0;
  void ShowMessage(const std::string&, const std::string&, ui::Icon) override { ++calls; }
  std::string ChooseFolder(const std::string&) override { return ++calls, std::string(); }
  void OpenFolder(const std::string&) override { ++calls; }
  void Pause(unsigned) override { ++calls; }
  uint32_t Attributes(const std::string&) override { return ++calls, platform::kInvalidAttributes; }
  bool Exists(const std::string&) override { return ++calls, false; }
  std::optional<uint64_t> FileSize(const std::string&) override { return ++calls, std::nullopt; }
  bool Move(const std::string&, const std::string&) override { return ++calls, false; }
  bool MoveReplace(const std::string&, const std::string&) override { return ++calls, false; }
  bool Delete(const std::string&) override { return ++calls, false; }
  bool ReadBlocks(const std::string&, const std::function<bool(std::string_view)>&) override {
    return ++calls, false;
  }
  bool WriteAll(const std::string&, std::string_view) override { return ++calls, false; }
  uint32_t LastError() override { return ++calls, 0; }
  std::string Read(const std::string&, const std::string&, const std::string&) override {
    return ++calls, std::string();
  }
  bool Write(const std::string&, const std::string&, const std::string&, const std::string&) override {
    return ++calls, false;
  }
  bool WriteText(platform::RegistryRoot, const std::string&, const std::string&) override {
    return ++calls, false;
  }
  bool Delete(platform::RegistryRoot, const std::string&) override { return ++calls, false; }
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
    Untouched rest;
    Context ctx{surface, rest, rest, rest, rest, Program{c.runDirectory, "Talvenor.exe"}};
    resources::ShowMovie(ctx);
    ASSERT_EQ(surface.addresses.size(), 1u) << c.runDirectory;
    // Code page 936 bytes of the form's control name.
    EXPECT_EQ(surface.addresses[0].first, "\xB3\xAC\xCE\xC4\xB1\xBE\xE4\xAF\xC0\xC0\xBF\xF2" "1");
    EXPECT_EQ(surface.addresses[0].second, c.expected);
    EXPECT_EQ(surface.others, 0);
    EXPECT_EQ(rest.calls, 0);
  }
}

}  // namespace
