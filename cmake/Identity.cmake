# Reads the product's identity from core/ProductIdentity.h, so the build states none of it again.
# Every one-line `constexpr ... kSomeName = value;` becomes OFC_SOME_NAME: string literals without
# their quotes, numbers as written. Among them:
#   OFC_PRODUCT_NAME  OFC_VENDOR_NAME  OFC_VENDOR_HOST  OFC_PRODUCT_URL
#   OFC_VERSION_MAJOR  OFC_VERSION_MINOR  OFC_VERSION_PATCH  OFC_VERSION_TEXT
#   OFC_VST2_UNIQUE_ID  OFC_LV2_URI  OFC_LV2_UI_URI  OFC_CLAP_ID
# Needs no project(), so the top-level list takes its version from here, and works in script mode
# (cmake -P) too. OFC_IDENTITY_HEADER names another header to read, for scripts run elsewhere.
if(NOT OFC_IDENTITY_HEADER)
  set(OFC_IDENTITY_HEADER "${CMAKE_CURRENT_LIST_DIR}/../core/ProductIdentity.h")
endif()
if(NOT EXISTS "${OFC_IDENTITY_HEADER}")
  message(FATAL_ERROR "Identity: ${OFC_IDENTITY_HEADER} not found")
endif()

file(STRINGS "${OFC_IDENTITY_HEADER}" ofc_identity_lines REGEX "^constexpr .* k[A-Za-z0-9]+ = .*;$")
foreach(ofc_line IN LISTS ofc_identity_lines)
  if(NOT ofc_line MATCHES "^constexpr .* k([A-Za-z0-9]+) = (.*);$")
    continue()
  endif()
  set(ofc_name "${CMAKE_MATCH_1}")
  set(ofc_value "${CMAKE_MATCH_2}")
  if(ofc_value MATCHES "^\"(.*)\"$")
    set(ofc_value "${CMAKE_MATCH_1}")
    # Escapes would reach the version resource and the package unread.
    if(ofc_value MATCHES "[\\\\\"]")
      message(FATAL_ERROR "Identity: k${ofc_name} holds an escape or a quote, which the build cannot read")
    endif()
  endif()
  string(REGEX REPLACE "([a-z0-9])([A-Z])" "\\1_\\2" ofc_name "${ofc_name}")
  string(TOUPPER "OFC_${ofc_name}" ofc_name)
  set(${ofc_name} "${ofc_value}")
endforeach()

foreach(ofc_var OFC_PRODUCT_NAME OFC_VENDOR_NAME OFC_PRODUCT_URL OFC_VERSION_MAJOR OFC_VERSION_MINOR
            OFC_VERSION_PATCH OFC_VERSION_TEXT)
  if(NOT DEFINED ${ofc_var})
    message(FATAL_ERROR "Identity: ${OFC_IDENTITY_HEADER} gives no ${ofc_var}")
  endif()
endforeach()
# The version is stated twice in the header, as numbers for VST 2.4 and Windows and as text for
# everything a person reads: they must agree.
if(NOT OFC_VERSION_TEXT STREQUAL "${OFC_VERSION_MAJOR}.${OFC_VERSION_MINOR}.${OFC_VERSION_PATCH}")
  message(FATAL_ERROR "Identity: kVersionText \"${OFC_VERSION_TEXT}\" is not "
                      "${OFC_VERSION_MAJOR}.${OFC_VERSION_MINOR}.${OFC_VERSION_PATCH}")
endif()

if(NOT CMAKE_SCRIPT_MODE_FILE)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${OFC_IDENTITY_HEADER}")
endif()
unset(ofc_identity_lines)
unset(ofc_name)
unset(ofc_value)
