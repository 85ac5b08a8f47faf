# The Debian package, made by `cpack -G DEB` in a build folder (scripts/package
# does the whole release build). It holds what cmake/install.cmake installs,
# below /usr.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zelk)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "zelk developers")
set(CPACK_PACKAGE_CONTACT "zelk developers <zelk@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "telephone charge estimator for dial-up connection logs")
set(CPACK_PACKAGE_DESCRIPTION
    "zelk reads the connection logs that dial-up and terminal programs keep, cuts\n\
their calls into billing months at the meter-reading day, rates every call\n\
under each carrier's dated tariffs and tells which discount plan would have\n\
been cheapest. zelk is the command line, zelkwin the desktop program (Qt 6).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
find_program(ZELK_DPKG dpkg)
if(ZELK_DPKG)
  execute_process(COMMAND ${ZELK_DPKG} --print-architecture
                  OUTPUT_VARIABLE zelk_deb_arch OUTPUT_STRIP_TRAILING_WHITESPACE)
else()
  set(zelk_deb_arch amd64)
endif()
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE ${zelk_deb_arch})
set(CPACK_DEBIAN_FILE_NAME "zelk_${PROJECT_VERSION}_${zelk_deb_arch}.deb")

# Library dependencies: dpkg-shlibdeps reads them from the programs (libc,
# libstdc++ and, for zelkwin, the Qt 6 widgets runtime). Without it, name them.
find_program(ZELK_DPKG_SHLIBDEPS dpkg-shlibdeps)
set(zelk_depends)
if(ZELK_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  list(APPEND zelk_depends "libc6" "libstdc++6" "libgcc-s1")
  if(TARGET zelkwin)
    list(APPEND zelk_depends "libqt6widgets6" "libqt6gui6" "libqt6core6")
  endif()
endif()
if(TARGET zelkwin)
  # The windows are Japanese; without a CJK font they show boxes.
  list(APPEND zelk_depends "fonts-noto-cjk")
endif()
list(JOIN zelk_depends ", " CPACK_DEBIAN_PACKAGE_DEPENDS)

include(CPack)
