# The about tab's movie, generated at build time from tools/movie, and the
# step that points the browser box at it.
set(TALVENOR_MOVIE_SWF ${CMAKE_BINARY_DIR}/resources/gy.swf
    CACHE INTERNAL "gy.swf as the build generates it")
add_custom_command(
  OUTPUT ${TALVENOR_MOVIE_SWF}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
  COMMAND ${TALVENOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/movie/make_movie.py ${TALVENOR_MOVIE_SWF}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/movie/make_movie.py
  COMMENT "Generating gy.swf"
  VERBATIM)
add_custom_target(talvenor_movie_file ALL DEPENDS ${TALVENOR_MOVIE_SWF})

add_library(talvenor_movie STATIC movie.cpp movie.h)
target_link_libraries(talvenor_movie PUBLIC talvenor_platform talvenor_options)
target_link_libraries(talvenor_resources INTERFACE talvenor_movie)
