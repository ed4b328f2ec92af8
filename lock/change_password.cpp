#include "lock/locked_path.h"
#include "lock/operations.h"
#include "lock/password_file.h"
#include "lock/shared.h"
#include "platform/context.h"
#include "platform/text.h"

using namespace lock;

namespace {

// The new password goes to a file of its own in the locked folder first and
// then replaces mm.dat in one move, so a failure at any step leaves the old
// password in place. The temporary name avoids any file the folder holds.
bool ReplacePasswordFile(platform::Files& files, const std::string& locked,
                         const std::string& password) {
  const std::string folder = LockedFolder(locked);
  std::string temporary;
  for (int n = 0;; ++n) {
    if (n == 100) return false;
    temporary = text::Join({folder, n == 0 ? "mm" : "mm" + std::to_string(n), ".tmp"});
    if (!files.Exists(temporary)) break;
  }
  if (FitsMaxPath(temporary) && WritePasswordFile(files, temporary, password) &&
      files.MoveReplace(temporary, PasswordFileOfLocked(locked))) {
    return true;
  }
  files.Delete(temporary);
  return false;
}

}  // namespace

void ChangePassword(Context& ctx) {
  const std::string locked = ctx.ui.Text(control::kChangePath);
  // An empty box would name .\mm.dat in the current directory.
  if (!IsLockedFolder(ctx.files, locked)) {
    ctx.interaction.ShowMessage("请重新选择改密文件夹路径", kNoticeDots, ui::Icon::Information);
    return;
  }
  const std::string stored = ReadStoredPassword(ctx.files, PasswordFileOfLocked(locked));
  const std::string old = ctx.ui.Text(control::kChangeOld);
  if (!text::Equal(old, stored) || text::Equal(ctx.ui.Text(control::kChangeNew), old)) {
    ctx.interaction.ShowMessage("可能密码不正确,或新密码与旧密码相同", kNoticeDots,
                                ui::Icon::Information);
    return;
  }
  if (!ReplacePasswordFile(ctx.files, locked, ctx.ui.Text(control::kChangeNew))) {
    ctx.interaction.ShowMessage("改密失败,无法写入密码文件", kNotice, ui::Icon::Warning);
    ctx.ui.SetText(control::kChangePrompt, text::Join({"路径  ", locked, "  改密失败"}));
    return;
  }
  ctx.ui.SetText(control::kChangePrompt, text::Join({"已经为 ", locked, " 文件夹更改密码成功"}));
  ctx.ui.SetText(control::kChangeOld, "");
  ctx.ui.SetText(control::kChangeNew, "");
}
