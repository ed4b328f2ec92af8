// The about tab's movie: pointing the browser box at gy.swf once it has
// been written into the run directory.
#pragma once

struct Context;

namespace resources {

// The browser box that shows the movie.
extern const char kMovieBox[];

// Writes the run directory followed by "\gy.swf" into the box's address: a
// plain path, which the box's WebBrowser control resolves itself.
void ShowMovie(Context& ctx);

}  // namespace resources
