# The libraries from outside, as two targets every list links by the same name:
#   ofc::png      libpng (with zlib)
#   ofc::sndfile  libsndfile (the command-line host and its tests)
# and GoogleTest as GTest::gtest / GTest::gtest_main.
# On Linux they are Debian's installed libraries. For Windows, Debian ships no mingw build of
# libpng or libsndfile, so scripts/windows-sources.sh fetches their Debian source packages into
# OFC_THIRD_PARTY_DIR and they are compiled here as static libraries; GoogleTest comes from the
# source Debian installs in /usr/src/googletest, and zlib from libz-mingw-w64-dev.

if(NOT WIN32)
  pkg_check_modules(OFC_PNG REQUIRED IMPORTED_TARGET libpng)
  add_library(ofc::png ALIAS PkgConfig::OFC_PNG)
  pkg_check_modules(OFC_SNDFILE IMPORTED_TARGET sndfile)
  if(OFC_SNDFILE_FOUND)
    add_library(ofc::sndfile ALIAS PkgConfig::OFC_SNDFILE)
  endif()
  return()
endif()

set(OFC_THIRD_PARTY_DIR ${PROJECT_SOURCE_DIR}/build/third_party CACHE PATH
    "Where scripts/windows-sources.sh unpacked the Debian source packages")

function(ofc_find_source var pattern)
  file(GLOB found LIST_DIRECTORIES true "${OFC_THIRD_PARTY_DIR}/${pattern}")
  list(FILTER found EXCLUDE REGEX "\\.(tar\\..*|dsc)$")
  if(NOT found)
    message(FATAL_ERROR "${pattern} not found in ${OFC_THIRD_PARTY_DIR}: run scripts/windows-sources.sh")
  endif()
  list(GET found 0 dir)
  set(${var} ${dir} PARENT_SCOPE)
endfunction()

set(ZLIB_USE_STATIC_LIBS ON)
find_package(ZLIB REQUIRED)

set(PNG_SHARED OFF CACHE BOOL "" FORCE)
set(PNG_STATIC ON CACHE BOOL "" FORCE)
set(PNG_TESTS OFF CACHE BOOL "" FORCE)
set(PNG_EXECUTABLES OFF CACHE BOOL "" FORCE)
set(SKIP_INSTALL_ALL ON)
ofc_find_source(ofc_png_source "libpng1.6-*")
add_subdirectory(${ofc_png_source} ${CMAKE_BINARY_DIR}/third_party/libpng EXCLUDE_FROM_ALL)
# Third-party code keeps its own warnings; ours stay strict (and -Werror).
target_compile_options(png_static PRIVATE -w)
add_library(ofc_png_bundle INTERFACE)
target_include_directories(ofc_png_bundle SYSTEM INTERFACE ${ofc_png_source}
                                                          ${CMAKE_BINARY_DIR}/third_party/libpng)
target_link_libraries(ofc_png_bundle INTERFACE png_static ZLIB::ZLIB)
add_library(ofc::png ALIAS ofc_png_bundle)

if(OFC_BUILD_HOST OR OFC_BUILD_TESTS)
  set(BUILD_SHARED_LIBS OFF)
  set(BUILD_PROGRAMS OFF CACHE BOOL "" FORCE)
  set(BUILD_EXAMPLES OFF CACHE BOOL "" FORCE)
  set(BUILD_TESTING OFF CACHE BOOL "" FORCE)
  set(ENABLE_EXTERNAL_LIBS OFF CACHE BOOL "" FORCE)
  set(ENABLE_MPEG OFF CACHE BOOL "" FORCE)
  set(ENABLE_CPACK OFF CACHE BOOL "" FORCE)
  set(ENABLE_PACKAGE_CONFIG OFF CACHE BOOL "" FORCE)
  set(INSTALL_PKGCONFIG_MODULE OFF CACHE BOOL "" FORCE)
  ofc_find_source(ofc_sndfile_source "libsndfile-*")
  add_subdirectory(${ofc_sndfile_source} ${CMAKE_BINARY_DIR}/third_party/libsndfile EXCLUDE_FROM_ALL)
  target_compile_options(sndfile PRIVATE -w)
  add_library(ofc::sndfile ALIAS sndfile)
endif()

if(OFC_BUILD_TESTS)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/third_party/googletest EXCLUDE_FROM_ALL)
  foreach(lib gtest gtest_main gmock gmock_main)
    if(NOT TARGET GTest::${lib})
      add_library(GTest::${lib} ALIAS ${lib})
    endif()
  endforeach()
endif()
