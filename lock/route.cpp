#include "lock/locked_path.h"
#include "lock/operations.h"
#include "lock/password_file.h"
#include "lock/shared.h"
#include "platform/context.h"
#include "platform/text.h"

using namespace lock;

namespace {

void FillLockTab(Context& ctx, const std::string& path) {
  ctx.ui.SetCurrentTab(kLockTab);
  ctx.ui.SetText(control::kLockPath, path);
  ctx.ui.SetText(control::kLockPrompt, text::Join({"请为路径 ", path, "  文件夹输入加密密码"}));
  ctx.ui.SetFocus(control::kLockPassword);
}

void FillUnlockTab(Context& ctx, const std::string& path) {
  ctx.ui.SetCurrentTab(kUnlockTab);
  ctx.ui.SetText(control::kUnlockPath, path);
  ctx.ui.SetText(control::kUnlockPrompt, text::Join({"请为路径 ", path, "  文件夹输入解密密码"}));
  ctx.ui.SetFocus(control::kUnlockPassword);
}

}  // namespace

void RoutePath(Context& ctx, const std::string& path) {
  // A locked path resolves to the vanished unlocked one, so its attribute
  // query fails; a failed query has every bit set and counts as a folder.
  const uint32_t attributes = ctx.files.Attributes(path);
  const std::string stored = ReadStoredPassword(ctx.files, PasswordFileIn(path));
  if ((attributes & platform::kAttributeDirectory) == 0) {
    ctx.interaction.ShowMessage("仅支持对文件夹进行操作", kNotice, ui::Icon::Information);
    return;
  }
  if (!stored.empty()) {
    FillUnlockTab(ctx, path);
    return;
  }
  FillLockTab(ctx, path);
  // The shell reports a locked folder with a dot appended; a dot anywhere
  // sends the path on to the unlock tab, the lock tab keeping it as well.
  if (text::HasDot(path)) FillUnlockTab(ctx, path);
}
