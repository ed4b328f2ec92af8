#include "resources/movie.h"

#include "platform/context.h"
#include "platform/text.h"
#include "platform/ui.h"

namespace resources {

const char kMovieBox[] = "超文本浏览框1";

void ShowMovie(Context& ctx) {
  ctx.ui.SetAddress(kMovieBox, text::Join({ctx.program.runDirectory, "\\gy.swf"}));
}

}  // namespace resources
