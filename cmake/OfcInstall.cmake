# Installation on Linux: the VST 2.4 library, the LV2 bundle and the VST3 bundle into the folders
# hosts scan.
#   cmake --install build/release                 ~/.vst, ~/.lv2, ~/.vst3 (the prefix defaults to $HOME)
#   cmake --install build/release --prefix /usr   /usr/lib/vst, /usr/lib/lv2, /usr/lib/vst3
# A prefix that is the installing user's home directory takes the per-user folders; any other
# prefix P takes P/lib/vst, P/lib/lv2 and P/lib/vst3. The Debian package is the /usr layout (cpack).
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT AND DEFINED ENV{HOME})
  set(CMAKE_INSTALL_PREFIX "$ENV{HOME}" CACHE PATH "Install prefix" FORCE)
endif()

install(CODE "set(ofc_vst_module \"$<TARGET_FILE:OrvaneFeedbackCompressor>\")
set(ofc_lv2_bundle \"${OFC_LV2_BUNDLE_DIR}\")
set(ofc_vst3_bundle \"${OFC_VST3_BUNDLE_DIR}\")")
install(CODE [[
  if(CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}")
    set(ofc_vst_dir "${CMAKE_INSTALL_PREFIX}/.vst")
    set(ofc_lv2_dir "${CMAKE_INSTALL_PREFIX}/.lv2")
    set(ofc_vst3_dir "${CMAKE_INSTALL_PREFIX}/.vst3")
  else()
    set(ofc_vst_dir "${CMAKE_INSTALL_PREFIX}/lib/vst")
    set(ofc_lv2_dir "${CMAKE_INSTALL_PREFIX}/lib/lv2")
    set(ofc_vst3_dir "${CMAKE_INSTALL_PREFIX}/lib/vst3")
  endif()
  file(INSTALL DESTINATION "${ofc_vst_dir}" TYPE MODULE FILES "${ofc_vst_module}")
  foreach(ofc_bundle IN ITEMS "${ofc_lv2_dir}|${ofc_lv2_bundle}" "${ofc_vst3_dir}|${ofc_vst3_bundle}")
    string(REPLACE "|" ";" ofc_bundle "${ofc_bundle}")
    list(GET ofc_bundle 0 ofc_destination)
    list(GET ofc_bundle 1 ofc_source)
    # Readable by all, writable by the owner; a module needs no execute bit to be loaded.
    file(INSTALL DESTINATION "${ofc_destination}" TYPE DIRECTORY FILES "${ofc_source}"
         FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
         DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                               WORLD_READ WORLD_EXECUTE)
  endforeach()
]])

# The CLAP plug-in: ~/.clap for the per-user install, P/lib/clap for any other prefix (hosts
# scan both ~/.clap and /usr/lib/clap).
if(TARGET ofc_clap)
  install(CODE "set(ofc_clap_module \"$<TARGET_FILE:ofc_clap>\")")
  install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}")
      set(ofc_clap_dir "${CMAKE_INSTALL_PREFIX}/.clap")
    else()
      set(ofc_clap_dir "${CMAKE_INSTALL_PREFIX}/lib/clap")
    endif()
    file(INSTALL DESTINATION "${ofc_clap_dir}" TYPE MODULE FILES "${ofc_clap_module}")
  ]])
endif()

# ofc-host and its man page: ~/.local/bin and ~/.local/share/man/man1 for the per-user install,
# P/bin and P/share/man/man1 for any other prefix. ofc-bench stays in the build tree, where the
# plug-in it measures by default lives.
if(TARGET ofc_man_pages)
  install(CODE "set(ofc_host_program \"$<TARGET_FILE:ofc-host>\")
set(ofc_host_man_page \"${OFC_MAN_PAGE_DIR}/ofc-host.1\")")
  install(CODE [[
    if(CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}")
      set(ofc_tools_prefix "${CMAKE_INSTALL_PREFIX}/.local")
    else()
      set(ofc_tools_prefix "${CMAKE_INSTALL_PREFIX}")
    endif()
    file(INSTALL DESTINATION "${ofc_tools_prefix}/bin" TYPE PROGRAM FILES "${ofc_host_program}")
    file(INSTALL DESTINATION "${ofc_tools_prefix}/share/man/man1" TYPE FILE
         FILES "${ofc_host_man_page}")
  ]])
endif()

# The Debian package: both plug-ins under /usr/lib, the libraries they link as its dependencies
# (found by dpkg-shlibdeps from the built files). Its names, version and home page are the
# identity's (cmake/Identity.cmake); the package is the product's name in lower case with dashes.
set(CPACK_GENERATOR DEB)
string(TOLOWER "${OFC_PRODUCT_NAME}" ofc_package_name)
string(REPLACE " " "-" CPACK_PACKAGE_NAME "${ofc_package_name}")
set(CPACK_PACKAGE_VENDOR "${OFC_VENDOR_NAME}")
set(CPACK_PACKAGE_CONTACT "${OFC_VENDOR_NAME}")
set(CPACK_PACKAGE_VERSION "${OFC_VERSION_TEXT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${OFC_PRODUCT_NAME}, a stereo feedback compressor (VST 2.4, VST3, CLAP and LV2)")
set(CPACK_PACKAGE_DESCRIPTION "A stereo feedback compressor with its own editor, for hosts that load VST 2.4 plug-ins from /usr/lib/vst, VST3 plug-ins from /usr/lib/vst3, CLAP plug-ins from /usr/lib/clap or LV2 plug-ins from /usr/lib/lv2.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION sound)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${OFC_PRODUCT_URL}")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
