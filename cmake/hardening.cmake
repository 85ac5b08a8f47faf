# Hardening for the release build (scripts/package turns it on): the flags
# Debian's dpkg-buildflags gives with hardening=+all, including the ones that
# Debian 12's dpkg does not add yet, each only when the compiler takes it.
#
#   -D_FORTIFY_SOURCE=2 -fstack-protector-strong -fstack-clash-protection
#   -fcf-protection -Wformat -Werror=format-security, PIE,
#   -Wl,-z,relro -Wl,-z,now

option(ZELK_HARDENING "Build with Debian's hardening flags" OFF)
if(NOT ZELK_HARDENING)
  return()
endif()

include(CheckCXXCompilerFlag)
include(CheckPIESupported)

# _FORTIFY_SOURCE needs optimisation; every build type but Debug has it.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
foreach(flag -fstack-protector-strong -fstack-clash-protection -fcf-protection
             -Wformat -Werror=format-security)
  string(MAKE_C_IDENTIFIER "zelk_cxx${flag}" supported)
  check_cxx_compiler_flag(${flag} ${supported})
  if(${supported})
    add_compile_options(${flag})
  endif()
endforeach()

check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
add_link_options(LINKER:-z,relro LINKER:-z,now)
