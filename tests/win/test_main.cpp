// Entry of every GoogleTest executable run under Wine. OLE is initialised as
// a single-threaded apartment, as in the program itself.
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  OleInitialize(nullptr);
  const int rc = RUN_ALL_TESTS();
  OleUninitialize();
  return rc;
}
