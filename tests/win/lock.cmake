# Folder locking: the password file, path forms, routing and the three
# operations, on real folders in the test prefix's temporary directory.
talvenor_wine_test(lock_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_password_file.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_paths.cpp
  LIBS talvenor_lock)

# Holds a file open from a second process: Wine enforces share modes only
# between processes.
add_executable(lock_holder ${CMAKE_CURRENT_LIST_DIR}/lock_holder.cpp)
target_link_libraries(lock_holder PRIVATE talvenor_options)
add_dependencies(lock_tests lock_holder)
