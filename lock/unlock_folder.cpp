#include "lock/locked_path.h"
#include "lock/operations.h"
#include "lock/password_file.h"
#include "lock/shared.h"
#include "platform/context.h"
#include "platform/text.h"

using namespace lock;

void UnlockFolder(Context& ctx) {
  const std::string locked = ctx.ui.Text(control::kUnlockPath);
  // An ordinary folder here (a dot in its path, or an mm.dat of its own)
  // would otherwise be renamed to its path less one byte.
  if (!IsLockedFolder(ctx.files, locked)) {
    ctx.interaction.ShowMessage("请重新选择解密文件夹路径", kNoticeDots, ui::Icon::Information);
    return;
  }
  const std::string stored = ReadStoredPassword(ctx.files, PasswordFileOfLocked(locked));
  if (!text::Equal(ctx.ui.Text(control::kUnlockPassword), stored)) {
    ctx.interaction.ShowMessage("请检查您输入的密码是否正确", kNoticeDots, ui::Icon::Information);
    return;
  }
  const std::string restored = RestoredPath(locked);
  if (!ctx.files.Move(LockedFolder(locked), restored)) {
    // Still locked, and whatever now stands at the restored path is not ours.
    ctx.interaction.ShowMessage("解密失败,文件夹可能正在使用", kNotice, ui::Icon::Warning);
    ctx.ui.SetText(control::kUnlockPrompt, text::Join({"路径  ", locked, "  解密失败"}));
    return;
  }
  ctx.files.Delete(PasswordFileIn(restored));
  ctx.ui.SetText(control::kUnlockPrompt, text::Join({"已经为路径 ", locked, " 解密成功"}));
  if (ctx.ui.Checked(control::kOpenAfterUnlock)) ctx.interaction.OpenFolder(restored);
  ctx.ui.SetText(control::kUnlockPassword, "");
  ctx.ui.SetText(control::kUnlockPath, "");
  ctx.ui.SetText(control::kLockPath, "");
  ctx.ui.SetText(control::kLockPrompt, "");
  ExitIfAsked(ctx);
}
