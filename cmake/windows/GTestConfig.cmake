# GoogleTest of a cross build: built from sources by cmake/windows.cmake.
if(NOT TARGET GTest::gtest)
  message(FATAL_ERROR "GoogleTest for Windows is built by cmake/windows.cmake")
endif()
set(GTest_FOUND TRUE)
