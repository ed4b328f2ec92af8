# Settings file, options and the Explorer verb.
talvenor_wine_test(settings_text
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_text.cpp
  LIBS talvenor_settings)
talvenor_wine_test(settings_options
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_options.cpp
  LIBS talvenor_settings)
talvenor_wine_test(settings_menu_entry
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/settings_menu_entry.cpp
  LIBS talvenor_settings)
