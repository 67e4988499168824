# Every folder's sources are picked up by pattern so that adding a unit is
# adding a file; CONFIGURE_DEPENDS re-runs the glob when files come or go.
function(korvane_glob_sources out_var)
  set(result)
  foreach(dir IN LISTS ARGN)
    file(GLOB_RECURSE found CONFIGURE_DEPENDS
         "${CMAKE_CURRENT_SOURCE_DIR}/${dir}/*.cpp")
    list(APPEND result ${found})
  endforeach()
  set(${out_var} ${result} PARENT_SCOPE)
endfunction()
