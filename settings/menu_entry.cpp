#include "settings/menu_entry.h"

#include <string>

#include "platform/registry.h"
#include "platform/text.h"
#include "settings/menu_text.h"

namespace {

using platform::RegistryRoot;

// The trailing backslash names the command key's default value.
constexpr char kCommandValue[] = "Folder\\shell\\Talvenor\\command\\";
constexpr char kCommandKey[] = "Folder\\shell\\Talvenor\\command";
constexpr char kVerbKey[] = "Folder\\shell\\Talvenor";
// Explorer merges this per-user view into HKEY_CLASSES_ROOT; it needs no
// administrator rights.
constexpr char kPerUserClasses[] = "Software\\Classes\\";

void RemoveFrom(platform::Registry& registry, RegistryRoot root, const std::string& prefix) {
  // The command key first: a key that still has subkeys is not deleted.
  registry.Delete(root, text::Join({prefix, kCommandKey}));
  registry.Delete(root, text::Join({prefix, kVerbKey}));
}

}  // namespace

void InstallMenuEntry(Context& ctx) {
  const std::string command =
      settings::MenuCommandText(ctx.program.runDirectory, ctx.program.executableName);
  if (ctx.registry.WriteText(RegistryRoot::ClassesRoot, kCommandValue, command)) return;
  // Both keys of the entry belong in one hive: drop whatever a half-done
  // machine-wide write may have left before writing the entry per user.
  RemoveFrom(ctx.registry, RegistryRoot::ClassesRoot, "");
  ctx.registry.WriteText(RegistryRoot::CurrentUser, text::Join({kPerUserClasses, kCommandValue}),
                         command);
}

void RemoveMenuEntry(Context& ctx) {
  // Per user first: in the merged view of HKEY_CLASSES_ROOT the per-user keys
  // hide the machine-wide ones.
  RemoveFrom(ctx.registry, RegistryRoot::CurrentUser, kPerUserClasses);
  RemoveFrom(ctx.registry, RegistryRoot::ClassesRoot, "");
}
