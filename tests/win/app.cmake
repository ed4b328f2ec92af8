talvenor_wine_test(app_test
  SOURCES app_command_line_test.cpp app_window_test.cpp app_startup_test.cpp
  LIBS talvenor_app)

# The built executable's own resources, read back by Windows.
add_executable(app_exe_resources_test app_exe_resources_test.cpp)
target_link_libraries(app_exe_resources_test PRIVATE talvenor_options gtest version)
add_test(NAME app_exe_resources COMMAND app_exe_resources_test $<TARGET_FILE:Talvenor> --gtest_color=no)
