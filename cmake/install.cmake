# Install rules (`cmake --install`), and the same layout inside the build
# folder so that a build runs as a portable installation.
#
#   bin/zelk, bin/zelkwin                      the programs
#   share/zelk/ma.zlk, html/help/               read-only data
#   share/doc/zelk/examples/                    the demo settings and logs
#   share/bash-completion/completions/zelk      bash completion
#   share/zsh/vendor-completions/_zelk          zsh completion
#   share/fish/vendor_completions.d/zelk.fish   fish completion
#   share/applications/<id>.desktop             desktop entry
#   share/metainfo/<id>.metainfo.xml            its AppStream metadata
#   share/icons/hicolor/scalable/apps/zelk.svg  its icon
#   share/man/man1/zelk.1.gz, zelkwin.1.gz      manual pages
#
# Every file belongs to one of two components, named after the Debian
# packages that take the same files (debian/<package>.install): zelk (the
# command line and its data) and zelkwin (the desktop program, its help pages
# and desktop files). zelkwin and its files exist only when Qt 6 was found
# (the target zelkwin exists).
#
# An installed program keeps its settings in ~/.config/zelk/ and reads ma.zlk
# and the help pages from share/zelk/, found from bin/ through the relative
# path compiled into platform/program_files.cpp below.

include(GNUInstallDirs)

set(ZELK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/zelk)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

file(RELATIVE_PATH zelk_data_from_bin
     ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/zelk)
set_source_files_properties(${PROJECT_SOURCE_DIR}/platform/program_files.cpp PROPERTIES
    COMPILE_DEFINITIONS "ZELK_INSTALLED_DATA_FROM_BIN=\"${zelk_data_from_bin}\"")

# The desktop program's id: the name of its desktop entry and metadata.
set(ZELK_DESKTOP_ID io.github.zelk.zelkwin)

# A program of `component`. A stripping install (cmake --install --strip)
# also drops the compiler's .comment and .note sections, as Debian's dh_strip
# does.
function(zelk_install_program target component)
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT ${component})
  set(installed "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${target}")
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                      --remove-section=.note \"${installed}\" COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT ${component})
endfunction()

# The command line, its data, completion and demo. The demo may be absent
# from a checkout.
zelk_install_program(zelk zelk)
install(FILES ${PROJECT_SOURCE_DIR}/data/ma.zlk DESTINATION ${ZELK_INSTALL_DATADIR}
        COMPONENT zelk)
install(FILES ${ZELK_COMPLETION_OUTPUT}/zelk
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT zelk)
install(FILES ${ZELK_COMPLETION_OUTPUT}/_zelk
        DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions COMPONENT zelk)
install(FILES ${ZELK_COMPLETION_OUTPUT}/zelk.fish
        DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d COMPONENT zelk)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/demo/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples
        COMPONENT zelk OPTIONAL)

# The desktop program, its help pages (which only it opens) and desktop files.
if(TARGET zelkwin)
  zelk_install_program(zelkwin zelkwin)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/html/ DESTINATION ${ZELK_INSTALL_DATADIR}/html
          COMPONENT zelkwin OPTIONAL)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ZELK_DESKTOP_ID}.desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT zelkwin)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/${ZELK_DESKTOP_ID}.metainfo.xml
          DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT zelkwin)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/zelk.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT zelkwin)
endif()

# Manual pages, compressed as Debian wants them.
find_program(ZELK_GZIP gzip REQUIRED)
set(zelk_man_outputs)
foreach(page zelk.1 zelkwin.1)
  set(output ${PROJECT_BINARY_DIR}/man/${page}.gz)
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}
    COMMAND ${ZELK_GZIP} -9 -n -f ${PROJECT_BINARY_DIR}/man/${page}
    DEPENDS ${PROJECT_SOURCE_DIR}/man/${page}
    COMMENT "Compressing the manual page ${page}"
    VERBATIM)
  list(APPEND zelk_man_outputs ${output})
  if(page STREQUAL "zelk.1")
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT zelk)
  elseif(TARGET zelkwin)
    install(FILES ${output} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT zelkwin)
  endif()
endforeach()

# The build folder is a portable installation: CMake copies ma.zlk beside
# zelk (root CMakeLists); the help pages go to html/ beside it as well.
file(GLOB_RECURSE zelk_html_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/html/*)
set(zelk_html_stamp ${PROJECT_BINARY_DIR}/html.stamp)
add_custom_command(OUTPUT ${zelk_html_stamp}
  COMMAND ${CMAKE_COMMAND} -E rm -rf ${PROJECT_BINARY_DIR}/html
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/data/html
          ${PROJECT_BINARY_DIR}/html
  COMMAND ${CMAKE_COMMAND} -E touch ${zelk_html_stamp}
  DEPENDS ${zelk_html_sources}
  COMMENT "Copying the help pages into the build folder"
  VERBATIM)
add_custom_target(zelk_release_files ALL DEPENDS ${zelk_man_outputs} ${zelk_html_stamp})

# The install test installs this build into a scratch prefix.
if(TARGET release_tests)
  add_dependencies(release_tests zelk_release_files)
  target_compile_definitions(release_tests PRIVATE
    ZELK_CMAKE_COMMAND="${CMAKE_COMMAND}"
    ZELK_BUILD_DIR="${PROJECT_BINARY_DIR}")
  if(TARGET zelkwin)
    add_dependencies(release_tests zelkwin)
    target_compile_definitions(release_tests PRIVATE ZELK_HAVE_ZELKWIN=1)
  endif()
endif()
