#include <optional>

#include "lock/locked_path.h"
#include "lock/operations.h"
#include "lock/password_file.h"
#include "lock/shared.h"
#include "platform/context.h"
#include "platform/text.h"

using namespace lock;

namespace {

enum class LockOutcome {
  Locked,
  NotLockable,        // not a plain folder, too long a path, or the rename failed
  HoldsPasswordFile,  // an mm.dat of the folder's own would be overwritten
  WriteFailed,        // the password file failed; the folder is back at its path
  WriteFailedLocked,  // ... and the rename back failed too
};

LockOutcome LockOnDisk(platform::Files& files, const std::string& folder,
                       const std::string& password) {
  // Every path formed below must fit, or the rename could succeed where the
  // password file cannot be written.
  if (!HasPlainLastName(folder) || !FitsMaxPath(LockedPasswordFile(folder)) ||
      !IsDirectory(files.Attributes(folder))) {
    return LockOutcome::NotLockable;
  }
  const std::optional<uint64_t> ownFile = files.FileSize(PasswordFileIn(folder));
  if (ownFile && *ownFile > 0) return LockOutcome::HoldsPasswordFile;

  const std::string target = LockTarget(folder);
  if (!files.Move(folder, target)) return LockOutcome::NotLockable;
  const std::string passwordFile = LockedPasswordFile(folder);
  if (WritePasswordFile(files, passwordFile, password)) return LockOutcome::Locked;

  // Never leave a folder locked under a password nobody typed: put back the
  // empty mm.dat it had, or remove what was written, and rename it back.
  if (ownFile) {
    files.WriteAll(passwordFile, "");
  } else {
    files.Delete(passwordFile);
  }
  return files.Move(target, folder) ? LockOutcome::WriteFailed : LockOutcome::WriteFailedLocked;
}

void ReportFailure(Context& ctx, const std::string& folder, const char* message) {
  ctx.interaction.ShowMessage(message, kNotice, ui::Icon::Warning);
  ctx.ui.SetText(control::kLockPrompt, text::Join({"路径  ", folder, "  加密失败"}));
  ctx.ui.SetText(control::kLockPassword, "");
  ctx.ui.SetText(control::kLockConfirm, "");
}

}  // namespace

void LockFolder(Context& ctx) {
  const std::string password = ctx.ui.Text(control::kLockPassword);
  const std::string confirmation = ctx.ui.Text(control::kLockConfirm);
  if (!text::Equal(password, confirmation) || text::Equal(password, "")) {
    ctx.interaction.ShowMessage("请检查您输入的密码是否有误", kNoticeDots, ui::Icon::Information);
    return;
  }
  const std::string folder = ctx.ui.Text(control::kLockPath);
  switch (LockOnDisk(ctx.files, folder, password)) {
    case LockOutcome::Locked:
      ctx.ui.SetText(control::kLockPrompt, text::Join({"已经为路径  ", folder, "  加密成功"}));
      ctx.ui.SetText(control::kLockPassword, "");
      ctx.ui.SetText(control::kLockConfirm, "");
      ctx.ui.SetFocus(nullptr);
      ExitIfAsked(ctx);
      return;
    case LockOutcome::NotLockable:
      ReportFailure(ctx, folder, "加密失败,原路径可能不存在");
      return;
    case LockOutcome::HoldsPasswordFile:
      ctx.interaction.ShowMessage("文件夹内已有文件 mm.dat,为免覆盖它,未进行加密", kNotice,
                                  ui::Icon::Warning);
      return;
    case LockOutcome::WriteFailed:
      ReportFailure(ctx, folder, "加密失败,无法写入密码文件");
      return;
    case LockOutcome::WriteFailedLocked:
      ReportFailure(ctx, folder, "加密失败,无法写入密码文件,且文件夹未能恢复原名,可用空密码解密");
      return;
  }
}
