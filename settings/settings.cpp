#include "settings/settings.h"

#include <string>

#include "platform/files.h"
#include "platform/profile.h"
#include "platform/text.h"
#include "platform/ui.h"
#include "settings/menu_entry.h"

namespace {

constexpr char kFileTail[] = "\\配置文件.ini";
constexpr char kSection[] = "配置";
constexpr char kKeyOnTop[] = "置前";
constexpr char kKeyMenu[] = "右键菜单";
constexpr char kKeyExit[] = "退出";
constexpr char kTrue[] = "真";
constexpr char kFalse[] = "假";

constexpr ui::Name kBoxOnTop = "选择框2";
constexpr ui::Name kBoxMenu = "选择框3";
constexpr ui::Name kBoxExit = "选择框4";

// The run directory never ends in a separator, so the tail gives the only one.
std::string SettingsPath(const Context& ctx) {
  return text::Join({ctx.program.runDirectory, kFileTail});
}

// Only "真" means on; anything else, a missing key or an unreadable file
// included, is off.
bool ReadOption(Context& ctx, const std::string& path, const char* key) {
  return text::Equal(ctx.profile.Read(kSection, key, path), kTrue);
}

// A failed write is not reported: the option still holds for this run.
void WriteOption(Context& ctx, const char* key, bool on) {
  ctx.profile.Write(kSection, key, on ? kTrue : kFalse, SettingsPath(ctx));
}

void ApplyStoredOptions(Context& ctx, const std::string& path) {
  const bool onTop = ReadOption(ctx, path, kKeyOnTop);
  ctx.ui.SetChecked(kBoxOnTop, onTop);
  ctx.ui.SetAlwaysOnTop(onTop);

  if (ReadOption(ctx, path, kKeyMenu)) {
    ctx.ui.SetChecked(kBoxMenu, true);
    InstallMenuEntry(ctx);
  } else {
    ctx.ui.SetChecked(kBoxMenu, false);
    RemoveMenuEntry(ctx);
  }

  ctx.ui.SetChecked(kBoxExit, ReadOption(ctx, path, kKeyExit));
}

// The boxes still hold their form states here. The platform's INI writer
// appends each new key at the end of the section, so this order is the
// file's order.
void WriteFormOptions(Context& ctx) {
  WriteOption(ctx, kKeyOnTop, ctx.ui.Checked(kBoxOnTop));
  if (ctx.ui.Checked(kBoxMenu)) {
    InstallMenuEntry(ctx);
    WriteOption(ctx, kKeyMenu, true);
  } else {
    WriteOption(ctx, kKeyMenu, false);
  }
  WriteOption(ctx, kKeyExit, ctx.ui.Checked(kBoxExit));
}

}  // namespace

void LoadSettings(Context& ctx) {
  const std::string path = SettingsPath(ctx);
  // A directory of that name counts as existing; its options then read as off.
  if (ctx.files.Exists(path)) {
    ApplyStoredOptions(ctx, path);
  } else {
    WriteFormOptions(ctx);
  }
  ctx.ui.SetAlwaysOnTop(ctx.ui.Checked(kBoxOnTop));
}

// Checking takes effect before it is stored, unchecking is stored before it
// takes effect.

void OnKeepOnTopClicked(Context& ctx) {
  if (ctx.ui.Checked(kBoxOnTop)) {
    ctx.ui.SetAlwaysOnTop(true);
    WriteOption(ctx, kKeyOnTop, true);
  } else {
    WriteOption(ctx, kKeyOnTop, false);
    ctx.ui.SetAlwaysOnTop(false);
  }
}

void OnMenuOptionClicked(Context& ctx) {
  if (ctx.ui.Checked(kBoxMenu)) {
    InstallMenuEntry(ctx);
    WriteOption(ctx, kKeyMenu, true);
  } else {
    WriteOption(ctx, kKeyMenu, false);
    RemoveMenuEntry(ctx);
  }
}

void OnExitOptionClicked(Context& ctx) { WriteOption(ctx, kKeyExit, ctx.ui.Checked(kBoxExit)); }
