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
