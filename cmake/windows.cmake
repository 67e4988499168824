# What a cross build for Windows needs from the Linux host: GoogleTest built from
# Debian's sources with the cross compiler, the header-only JSON library without
# the host's /usr/include (whose C headers must never reach mingw), and host paths
# as Wine sees them.
set(KORVANE_HOST_PREFIX "")
if(NOT CMAKE_CROSSCOMPILING OR NOT WIN32)
  return()
endif()

# Wine maps the host's root to drive Z:, so a path compiled into a test is the
# host's path behind "Z:".
set(KORVANE_HOST_PREFIX "Z:")
# Tests are listed when ctest runs, under Wine, not while building.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)

set(KORVANE_GTEST_SOURCE "/usr/src/googletest" CACHE PATH "GoogleTest sources built for Windows")
if(KORVANE_BUILD_TESTS AND NOT TARGET gtest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(${KORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own build names them GTest::gtest and GTest::gtest_main as well.
  # The tests' find_package(GTest) finds these targets.
  set(GTest_DIR ${PROJECT_SOURCE_DIR}/cmake/windows CACHE PATH "" FORCE)
endif()

# Only the library's own folder is put on the include path.
set(KORVANE_HOST_HEADERS ${CMAKE_BINARY_DIR}/host_headers)
file(MAKE_DIRECTORY ${KORVANE_HOST_HEADERS})
if(NOT EXISTS ${KORVANE_HOST_HEADERS}/nlohmann)
  file(CREATE_LINK /usr/include/nlohmann ${KORVANE_HOST_HEADERS}/nlohmann SYMBOLIC)
endif()
set(nlohmann_json_DIR ${PROJECT_SOURCE_DIR}/cmake/windows CACHE PATH "" FORCE)
