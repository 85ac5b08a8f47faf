# One static library per layer of the code. A layer's headers are reachable
# only through a directory that holds nothing but a link to its own folder
# (build/layers/<target>/<folder>), and a layer links only the layers below
# it; so an include of a layer above, or of a sibling, finds no file and the
# build stops there. scripts/check-layers checks the headers too.
#
#   platform -> base -> logs | config | tariff -> run -> bill -> ui/model -> ui/qt -> app

# The sources of a folder for the system being built for: a file that ends in
# _posix.cpp or _win32.cpp is the one side of a piece of the platform layer
# whose interface is the same on both; the other side is left out.
function(zelk_sources_of folder out)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp ${PROJECT_SOURCE_DIR}/${folder}/internal/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  set(${out} ${sources} PARENT_SCOPE)
endfunction()

# zelk_add_layer(<target> <folder> [BELOW <targets of the layers it uses>...])
function(zelk_add_layer target folder)
  cmake_parse_arguments(PARSE_ARGV 2 arg "" "" "BELOW")
  zelk_sources_of(${folder} sources)
  add_library(${target} STATIC ${sources})
  zelk_layer_includes(${target} ${folder})
  target_link_libraries(${target} PUBLIC ${arg_BELOW})
endfunction()

# Makes `folder` includable as "<folder>/x.h" by `target` and by whatever
# links it, and by nothing else.
function(zelk_layer_includes target folder)
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT EXISTS ${root}/${folder})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endif()
  target_include_directories(${target} PUBLIC ${root})
endfunction()
