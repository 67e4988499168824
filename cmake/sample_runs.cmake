# korvane_sample_runs(<target> <library> <sources>...): a program that runs the sample job
# through the real korvane with the build's stand-in tools (the end-to-end tests and the
# window benchmark). It is given the sample job's set-up, the tests' support and the
# paths of the program, the samples and the tool root.
function(korvane_sample_runs target library)
  find_package(GTest REQUIRED)
  add_executable(${target} ${ARGN}
    ${PROJECT_SOURCE_DIR}/tests/e2e/sample_job.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/test_support.cpp
    ${PROJECT_SOURCE_DIR}/tests/support/run_program$<$<BOOL:${WIN32}>:_windows>.cpp)
  target_include_directories(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
  target_link_libraries(${target} PRIVATE ${library} GTest::gtest)
  target_compile_definitions(${target} PRIVATE
    KORVANE_BINARY="${KORVANE_HOST_PREFIX}$<TARGET_FILE:korvane>"
    KORVANE_SAMPLES="${KORVANE_HOST_PREFIX}${PROJECT_SOURCE_DIR}/samples"
    KORVANE_TOOLROOT="${KORVANE_HOST_PREFIX}${CMAKE_BINARY_DIR}/toolroot")
  add_dependencies(${target} korvane standin_toolroot quillstub korvane-batch-runner)
endfunction()
