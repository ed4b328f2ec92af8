# The skin binding (ApplySkin) with stand-in engines, and our skin engine
# itself, loaded as the program loads it.

# Stand-ins for SkinH_EL.dll, built next to the test executables (under
# other names, so that no search for SkinH_EL.dll finds them there).
foreach(variant probe probe_noattach)
  add_library(skin_${variant} SHARED skin_probe.cpp skin_${variant}.def)
  set_target_properties(skin_${variant} PROPERTIES PREFIX "" RUNTIME_OUTPUT_DIRECTORY $<1:${CMAKE_CURRENT_BINARY_DIR}>)
  target_link_libraries(skin_${variant} PRIVATE talvenor_options)
endforeach()
target_compile_definitions(skin_probe_noattach PRIVATE SKIN_PROBE_WITHOUT_ATTACH)

talvenor_wine_test(skin_apply_test SOURCES skin_apply_test.cpp LIBS talvenor_skin)
add_dependencies(skin_apply_test skin_probe skin_probe_noattach)

# Our engine, carried in the test executable like in Talvenor.exe, extracted
# and bound through ApplySkin. Needs a display: it reads pixels back.
talvenor_wine_test(skin_engine_test
  SOURCES skin_engine_test.cpp $<TARGET_OBJECTS:talvenor_embedded_rc>
  LIBS talvenor_skin talvenor_embedded)

# The screenshot demo (scripts/skin-screenshots.sh); not a test.
add_executable(skin_demo skin_demo.cpp $<TARGET_OBJECTS:talvenor_embedded_rc> ${CMAKE_SOURCE_DIR}/app/manifest.rc)
target_link_libraries(skin_demo PRIVATE talvenor_skin talvenor_embedded talvenor_options)
target_include_directories(skin_demo PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
