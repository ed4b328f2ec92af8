#include "resources/embedded.h"

#include "platform/context.h"
#include "platform/files.h"
#include "platform/module.h"
#include "platform/text.h"
#include "resources/embedded_ids.h"

std::string_view EmbeddedFile::Content() const { return platform::ModuleResource(resource); }

const EmbeddedFile& SkinEngineFile() {
  static const EmbeddedFile file{"\\SkinH_EL.dll", TALVENOR_RES_SKIN_ENGINE};
  return file;
}

const EmbeddedFile& SkinFile() {
  static const EmbeddedFile file{"\\skin.she", TALVENOR_RES_SKIN_FILE};
  return file;
}

const EmbeddedFile& MovieFile() {
  static const EmbeddedFile file{"\\gy.swf", TALVENOR_RES_MOVIE};
  return file;
}

void ExtractEmbeddedFile(Context& ctx, const EmbeddedFile& file) {
  if (ctx.files.Exists(text::Join({ctx.program.runDirectory, file.tail}))) return;
  const std::string_view content = file.Content();
  // A build without the resource would leave an empty file that blocks the
  // real one for good.
  if (content.empty()) return;
  ctx.files.WriteAll(text::Join({ctx.program.runDirectory, file.tail}), content);
}
