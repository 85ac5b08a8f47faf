# The header-only libraries (nlohmann JSON, CLI11) for a cross build. Their
# package files name /usr/include, which holds the build machine's C library
# headers too, and those must never stand before the target's own; so a
# folder that links to the libraries' own folders alone stands in for it.
set(zelk_host_headers ${PROJECT_BINARY_DIR}/host-headers)
file(MAKE_DIRECTORY ${zelk_host_headers})
foreach(folder nlohmann CLI)
  if(NOT EXISTS /usr/include/${folder})
    message(FATAL_ERROR "/usr/include/${folder} is missing: scripts/deps --windows installs it")
  endif()
  if(NOT EXISTS ${zelk_host_headers}/${folder})
    file(CREATE_LINK /usr/include/${folder} ${zelk_host_headers}/${folder} SYMBOLIC)
  endif()
endforeach()
foreach(target nlohmann_json::nlohmann_json CLI11::CLI11)
  add_library(${target} INTERFACE IMPORTED)
  set_target_properties(${target} PROPERTIES INTERFACE_INCLUDE_DIRECTORIES ${zelk_host_headers})
endforeach()
