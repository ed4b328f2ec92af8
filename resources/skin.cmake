# Our skin engine SkinH_EL.dll, the skin file it reads, and ApplySkin, the
# start-up step that binds the engine.

# The engine: a plain 32-bit DLL with one undecorated stdcall export (the
# .def file) and no runtime DLLs of its own (talvenor_options links -static).
# It lands in a folder of its own, away from the test executables, so that
# the bare-name search for SkinH_EL.dll finds only what a test puts there.
add_library(talvenor_skin_engine SHARED
  skin_engine/engine.cpp
  skin_engine/paint.cpp
  skin_engine/skin_values.cpp
  skin_engine/SkinH_EL.def
  skin_engine/version.rc
)
set_target_properties(talvenor_skin_engine PROPERTIES
  OUTPUT_NAME SkinH_EL
  PREFIX ""
  RUNTIME_OUTPUT_DIRECTORY $<1:${CMAKE_BINARY_DIR}/resources/skin_engine>)
target_link_libraries(talvenor_skin_engine PRIVATE talvenor_options comctl32 gdi32 user32)
# Carried inside every Talvenor.exe: optimised and stripped whatever the build type.
if(NOT MSVC)
  target_compile_options(talvenor_skin_engine PRIVATE -Os -fno-exceptions -fno-rtti)
  target_link_options(talvenor_skin_engine PRIVATE -s)
endif()
set(TALVENOR_SKIN_ENGINE_DLL ${CMAKE_BINARY_DIR}/resources/skin_engine/SkinH_EL.dll
    CACHE INTERNAL "SkinH_EL.dll as the build makes it")

# The shipped skin, made from its readable source.
set(TALVENOR_SKIN_FILE ${CMAKE_BINARY_DIR}/resources/skin.she CACHE INTERNAL "skin.she as the build makes it")
add_custom_command(
  OUTPUT ${TALVENOR_SKIN_FILE}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/resources
  COMMAND ${TALVENOR_PYTHON} ${CMAKE_SOURCE_DIR}/tools/skin/make_skin.py
          ${CMAKE_CURRENT_SOURCE_DIR}/skin_engine/default_skin.txt ${TALVENOR_SKIN_FILE}
  DEPENDS ${CMAKE_SOURCE_DIR}/tools/skin/make_skin.py ${CMAKE_CURRENT_SOURCE_DIR}/skin_engine/default_skin.txt
  COMMENT "Generating skin.she"
  VERBATIM)
add_custom_target(talvenor_skin_file ALL DEPENDS ${TALVENOR_SKIN_FILE})

add_library(talvenor_skin STATIC skin.cpp)
target_link_libraries(talvenor_skin PUBLIC talvenor_platform)
