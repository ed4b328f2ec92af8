#include "lock/shared.h"

#include "lock/locked_path.h"
#include "platform/context.h"

namespace lock {

bool IsLockedFolder(platform::Files& files, const std::string& locked) {
  return EndsInDot(locked) && HasPlainLastName(RestoredPath(locked)) &&
         FitsMaxPath(PasswordFileOfLocked(locked)) &&
         IsDirectory(files.Attributes(LockedFolder(locked)));
}

void ExitIfAsked(Context& ctx) {
  if (!ctx.ui.Checked(control::kExitAfterSuccess)) return;
  ctx.interaction.Pause(2500);
  ctx.ui.Close();
}

}  // namespace lock
