talvenor_wine_test(app_test
  SOURCES app_command_line_test.cpp app_window_test.cpp app_startup_test.cpp
  LIBS talvenor_app)
