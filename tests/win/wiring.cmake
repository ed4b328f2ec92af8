talvenor_wine_test(wiring_test
  SOURCES wiring_test.cpp
  LIBS talvenor_app)
