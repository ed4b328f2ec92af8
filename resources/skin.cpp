#include "resources/skin.h"

#include "platform/context.h"
#include "platform/module.h"
#include "platform/text.h"
#include "platform/ui.h"

#include <string>
#include <utility>

namespace {

constexpr char kLibrary[] = "SkinH_EL.dll";
constexpr char kEntry[] = "SkinH_AttachEx";

using AttachFunction = int(__stdcall*)(const char* skinPath, const char* extra);

// Resolved once per process; the library stays loaded for the entry's sake.
struct Binding {
  platform::Library library;
  AttachFunction attach = nullptr;
};

Binding& TheBinding() {
  static Binding binding;
  return binding;
}

bool Resolve(Context& ctx, Binding& binding) {
  platform::Library library = platform::Library::Load(text::Join({ctx.program.runDirectory, "\\", kLibrary}));
  if (!library) library = platform::Library::Load(kLibrary);
  auto attach = reinterpret_cast<AttachFunction>(library.Procedure(kEntry));
  if (!attach) {
    library.Free();  // before the message: the box waits for the user
    ctx.interaction.ShowMessage(text::Join({"运行时出错!\r\n\r\n错误信息：无法找到指定DLL库文件“", kLibrary,
                                            "”中的输出命令“", kEntry, "”\r\n"}),
                                "错误", ui::Icon::Error);
    return false;
  }
  binding.library = std::move(library);
  binding.attach = attach;
  return true;
}

}  // namespace

bool ApplySkin(Context& ctx) {
  Binding& binding = TheBinding();
  if (!binding.attach && !Resolve(ctx, binding)) return false;
  const std::string skinPath = text::Join({ctx.program.runDirectory, "\\skin.she"});
  static const char kEmpty[] = "";
  binding.attach(skinPath.c_str(), kEmpty);  // whether the skin took is the engine's affair
  return true;
}

void ReleaseSkinEngine() {
  Binding& binding = TheBinding();
  binding.attach = nullptr;
  binding.library.Free();
}
