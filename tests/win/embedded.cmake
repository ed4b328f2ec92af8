# The carried files and their extraction. The test executable carries the
# resources itself, as Talvenor.exe does, and compares them with the build's
# own files.
talvenor_wine_test(embedded_test
  SOURCES embedded_extract_test.cpp $<TARGET_OBJECTS:talvenor_embedded_rc>
  LIBS talvenor_embedded)
target_compile_definitions(embedded_test PRIVATE
  TALVENOR_TEST_SKIN_ENGINE_DLL="${TALVENOR_SKIN_ENGINE_DLL}"
  TALVENOR_TEST_SKIN_FILE="${TALVENOR_SKIN_FILE}"
  TALVENOR_TEST_MOVIE_SWF="${TALVENOR_MOVIE_SWF}")
