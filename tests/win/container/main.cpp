// The container tests run in a single-threaded apartment with OLE initialised, as a form's
// host does (in-place activation, the clipboard formats and ATL's host need OLE).
#include <windows.h>
#include <ole2.h>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  if (FAILED(OleInitialize(nullptr))) return 2;
  const int result = RUN_ALL_TESTS();
  OleUninitialize();
  return result;
}
