# Folder locking: the password file, path forms, routing and the three
# operations, on real folders in the test prefix's temporary directory.
talvenor_wine_test(lock_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_password_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_paths.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_route.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_lock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_unlock.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_change.cpp
  LIBS talvenor_lock)

# Holds a file open from a second process: Wine enforces share modes only
# between processes.
add_executable(lock_holder ${CMAKE_CURRENT_LIST_DIR}/lock_holder.cpp)
target_link_libraries(lock_holder PRIVATE talvenor_options)
add_dependencies(lock_tests lock_holder)

# Not a test: prints how long one lock plus unlock takes by folder size.
add_executable(lock_bench ${CMAKE_SOURCE_DIR}/tests/bench/lock_bench.cpp
               ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp)
target_link_libraries(lock_bench PRIVATE talvenor_lock talvenor_options gtest)
target_include_directories(lock_bench PRIVATE ${CMAKE_CURRENT_LIST_DIR})

# The same operations through the real main window.
talvenor_wine_test(lock_window_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_window.cpp
  LIBS talvenor_app)
