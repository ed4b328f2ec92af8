# The fault matrix and the soak run: the operations through the real main
# window, on real folders, with faults provoked for real where Wine allows.
add_executable(fault_matrix
  ${CMAKE_CURRENT_LIST_DIR}/fault_matrix.cpp
  ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/tree_hash.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_main.cpp
  ${CMAKE_SOURCE_DIR}/app/manifest.rc)
target_link_libraries(fault_matrix PRIVATE talvenor_app talvenor_options gtest)
target_include_directories(fault_matrix PRIVATE ${CMAKE_CURRENT_LIST_DIR})
add_dependencies(fault_matrix lock_holder)
# The wrapper mounts a small tmpfs and a read-only file system for the rows
# that need them, then runs the test under Wine as every other test runs.
add_test(NAME fault_matrix
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/fault_mounts.sh
          ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:fault_matrix> --gtest_color=no)
set_tests_properties(fault_matrix PROPERTIES TIMEOUT 600)

# Hundreds of lock, change-password and unlock cycles over random trees;
# bounded count, fixed seed (printed), well under a minute.
talvenor_wine_test(soak_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/soak.cpp
    ${CMAKE_CURRENT_LIST_DIR}/lock_fixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/tree_hash.cpp
  LIBS talvenor_app)
