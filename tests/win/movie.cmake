# The about tab's movie.
# Under Wine: the scene model, ShowMovie, and the browser box on a real window.
talvenor_wine_test(movie_test
  SOURCES movie_scene_test.cpp movie_show_test.cpp movie_box_test.cpp
  LIBS talvenor_movie talvenor_platform)
# The movie on the real main window's about tab.
talvenor_wine_test(movie_about_test
  SOURCES movie_about_test.cpp
  LIBS talvenor_app)
set(movie_screenshots ${CMAKE_BINARY_DIR}/screenshots/movie)
file(MAKE_DIRECTORY ${movie_screenshots})
# Wine maps the Unix root to drive Z: in every prefix.
string(REPLACE "/" "\\" movie_screenshots_win "Z:${movie_screenshots}")
set_tests_properties(movie_test PROPERTIES
  ENVIRONMENT "TALVENOR_SCREENSHOTS=${movie_screenshots_win}")

# On the build host: gy.swf read back, and played by Ruffle in headless
# Chromium. These are no target programs, so no emulator runs them.
add_test(NAME movie_header
  COMMAND ${TALVENOR_PYTHON} -m unittest -v test_header
  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}/tests/movie)
set_tests_properties(movie_header PROPERTIES
  ENVIRONMENT "MOVIE_SWF=${TALVENOR_MOVIE_SWF};TALVENOR_SOURCE=${CMAKE_SOURCE_DIR}")

add_test(NAME movie_player_tools
  COMMAND bash ${CMAKE_SOURCE_DIR}/tests/movie/install-tools.sh ${CMAKE_BINARY_DIR}/node)
set_tests_properties(movie_player_tools PROPERTIES FIXTURES_SETUP movie_player TIMEOUT 600)
add_test(NAME movie_playback
  COMMAND node --test ${CMAKE_SOURCE_DIR}/tests/movie/playback.test.mjs)
set_tests_properties(movie_playback PROPERTIES
  FIXTURES_REQUIRED movie_player
  TIMEOUT 300
  ENVIRONMENT "MOVIE_SWF=${TALVENOR_MOVIE_SWF};MOVIE_GENERATOR=${CMAKE_SOURCE_DIR}/tools/movie/make_movie.py;PYTHON=${TALVENOR_PYTHON};NODE_PREFIX=${CMAKE_BINARY_DIR}/node;SCREENSHOT_DIR=${movie_screenshots}")
