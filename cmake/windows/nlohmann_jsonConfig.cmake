# The host's header-only JSON library for a cross build, without the rest of /usr/include.
if(NOT TARGET nlohmann_json::nlohmann_json)
  add_library(nlohmann_json::nlohmann_json INTERFACE IMPORTED)
  set_target_properties(nlohmann_json::nlohmann_json PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES ${KORVANE_HOST_HEADERS})
endif()
set(nlohmann_json_FOUND TRUE)
