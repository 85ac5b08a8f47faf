# The Debian packages, made by `cpack -G DEB` in a build folder (scripts/package
# does the whole release build). Each install component of
# cmake/install.cmake becomes one package below /usr:
#
#   zelk     the command line, the MA data, zelk.1, bash completion, the demo
#   zelkwin  the desktop program, zelkwin.1, help pages, desktop entry,
#            AppStream metadata and icon; depends on zelk of the same version
#
# Both carry the Debian files of packaging/debian/ in share/doc/<package>/
# (copyright, the Debian changelog, CHANGELOG.md as the upstream changelog)
# and their lintian overrides.

set(ZELK_DEBIAN_REVISION 1)
set(zelk_deb_version ${PROJECT_VERSION}-${ZELK_DEBIAN_REVISION})
set(ZELK_MAINTAINER "zelk developers <zelk@users.noreply.github.com>")

set(zelk_packages zelk)
if(TARGET zelkwin)
  list(APPEND zelk_packages zelkwin)
endif()

# Compressed changelogs, as Debian wants them (gzip -9n: no name, no time).
set(zelk_changelogs)
foreach(source_and_name "packaging/debian/changelog|changelog.Debian.gz" "CHANGELOG.md|changelog.gz")
  string(REPLACE "|" ";" source_and_name ${source_and_name})
  list(GET source_and_name 0 source)
  list(GET source_and_name 1 name)
  set(output ${PROJECT_BINARY_DIR}/debian/${name})
  add_custom_command(OUTPUT ${output}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/debian
    COMMAND ${ZELK_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/${source} > ${output}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source}
    COMMENT "Compressing ${source}")
  list(APPEND zelk_changelogs ${output})
endforeach()
add_custom_target(zelk_debian_files ALL DEPENDS ${zelk_changelogs})
if(TARGET release_tests)
  add_dependencies(release_tests zelk_debian_files)  # the install test installs them
endif()

foreach(package IN LISTS zelk_packages)
  install(FILES packaging/debian/copyright ${zelk_changelogs}
          DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${package} COMPONENT ${package})
  install(FILES packaging/debian/${package}.lintian-overrides
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${package}
          COMPONENT ${package})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "zelk developers")
set(CPACK_PACKAGE_CONTACT ${ZELK_MAINTAINER})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${zelk_packages})

set(CPACK_DEBIAN_PACKAGE_RELEASE ${ZELK_DEBIAN_REVISION})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${ZELK_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)

# Library dependencies: dpkg-shlibdeps reads them from the programs (libc,
# libstdc++ and, for zelkwin, the Qt 6 libraries). Without it, name them.
find_program(ZELK_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(ZELK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(zelk_depends)
  set(zelkwin_depends)
else()
  set(zelk_depends "libc6" "libstdc++6" "libgcc-s1")
  set(zelkwin_depends "libqt6widgets6" "libqt6gui6" "libqt6core6")
endif()

set(CPACK_DEBIAN_ZELK_PACKAGE_NAME zelk)
set(CPACK_DEBIAN_ZELK_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_ZELK_DESCRIPTION
    "telephone charge estimator for dial-up connection logs\n\
zelk reads the connection logs that Japanese dial-up and terminal programs\n\
keep, cuts their calls into billing months at the meter-reading day, rates\n\
every call under each carrier's dated tariffs and tells which discount plan\n\
would have been cheapest.\n\
.\n\
This package holds the command line zelk, which prints the months for a\n\
person or as JSON for scripts, the nationwide charging-area (MA) data and a\n\
demo. The desktop program is in the package zelkwin.")
list(JOIN zelk_depends ", " CPACK_DEBIAN_ZELK_PACKAGE_DEPENDS)

# The windows are Japanese: without a CJK font they show boxes. The platform
# plugins (xcb, wayland) are a separate package from the Qt libraries.
set(CPACK_DEBIAN_ZELKWIN_PACKAGE_NAME zelkwin)
set(CPACK_DEBIAN_ZELKWIN_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_ZELKWIN_DESCRIPTION
    "telephone charge estimator for dial-up connection logs - desktop program\n\
zelk reads the connection logs that Japanese dial-up and terminal programs\n\
keep, cuts their calls into billing months at the meter-reading day, rates\n\
every call under each carrier's dated tariffs and tells which discount plan\n\
would have been cheapest.\n\
.\n\
This package holds the desktop program zelkwin (Qt 6), which shows the months\n\
under every plan, edits the settings, lists the charging areas and the fee\n\
table, and opens its Japanese help pages.")
list(APPEND zelkwin_depends "zelk (= ${zelk_deb_version})" "qt6-qpa-plugins"
     "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
list(JOIN zelkwin_depends ", " CPACK_DEBIAN_ZELKWIN_PACKAGE_DEPENDS)

include(CPack)
