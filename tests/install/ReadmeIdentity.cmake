# Fails unless README.md states the identity core/ProductIdentity.h gives: the product's name as
# its title, the vendor, the plug-in's URI, and this version wherever it names one, so a version
# bump or a rename that leaves the README behind does not pass.
# cmake -DREADME=<README.md> -P ReadmeIdentity.cmake
cmake_minimum_required(VERSION 3.22)
include(${CMAKE_CURRENT_LIST_DIR}/../../cmake/Identity.cmake)
file(READ "${README}" readme)
set(problems)
foreach(text "# ${OFC_PRODUCT_NAME}\n" "by ${OFC_VENDOR_NAME}" "`${OFC_LV2_URI}`"
             "version resource (${OFC_VERSION_TEXT}, ${OFC_VENDOR_NAME})")
  string(FIND "${readme}" "${text}" at)
  if(at LESS 0)
    list(APPEND problems "it never says ${text}")
  endif()
endforeach()
string(REGEX MATCHALL "[0-9]+\\.[0-9]+\\.[0-9]+" versions "${readme}")
if(NOT versions)
  list(APPEND problems "it names no version")
endif()
foreach(version IN LISTS versions)
  if(NOT version STREQUAL OFC_VERSION_TEXT)
    list(APPEND problems "it names version ${version}, not ${OFC_VERSION_TEXT}")
  endif()
endforeach()
if(problems)
  list(JOIN problems "\n  " text)
  message(FATAL_ERROR "${README}:\n  ${text}")
endif()
