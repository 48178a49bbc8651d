# Turns the editor's PNG images into a C++ source file of byte arrays, so the plug-in carries its
# artwork inside the library. Runs in script mode at build time (no xxd or other host tools):
#   cmake -DOFC_IMAGE_HEADER=<ImageIds.h> -DOFC_RESOURCE_DIR=<dir> -DOFC_RESOURCE_OUTPUT=<file.cpp>
#         -P EmbedResources.cmake
# The images and their files are the ones ImageIds.h names (see ImageIds.cmake).

foreach(var OFC_IMAGE_HEADER OFC_RESOURCE_DIR OFC_RESOURCE_OUTPUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "EmbedResources: ${var} is not set")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/ImageIds.cmake)
ofc_read_image_ids("${OFC_IMAGE_HEADER}" "${OFC_RESOURCE_DIR}")
set(ids ${OFC_RESOURCE_IDS})

set(out "${OFC_RESOURCE_OUTPUT}.tmp")
file(WRITE "${out}" "// Generated from the PNG images in resources/ at build time. Do not edit.\n\n")
file(APPEND "${out}" "#include \"ResourceTable.h\"\n\nnamespace\n{\n")

# 32 bytes (64 hex digits) per line keeps the generated file readable for tools.
set(line_pattern "................................................................")
foreach(id png IN ZIP_LISTS OFC_RESOURCE_IDS OFC_RESOURCE_PNGS)
  if(NOT EXISTS "${png}")
    message(FATAL_ERROR "EmbedResources: missing image ${png}")
  endif()
  file(READ "${png}" hex HEX)
  string(LENGTH "${hex}" digits)
  if(digits EQUAL 0)
    message(FATAL_ERROR "EmbedResources: empty image ${png}")
  endif()
  string(REGEX REPLACE "(${line_pattern})" "\\1\n" hex "${hex}")
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," hex "${hex}")
  file(APPEND "${out}" "const unsigned char kImage${id}[] = {\n${hex}\n};\n\n")
endforeach()

file(APPEND "${out}" "} // namespace\n\nnamespace resources\n{\nconst ResourceEntry kEntries[] = {\n")
list(LENGTH ids count)
foreach(id IN LISTS ids)
  file(APPEND "${out}" "    {${id}, kImage${id}, sizeof kImage${id}},\n")
endforeach()
file(APPEND "${out}" "};\nconst std::size_t kEntryCount = ${count};\n} // namespace resources\n")

# Replace the output only when it changed, so an unchanged image set compiles nothing again.
file(READ "${out}" fresh)
if(EXISTS "${OFC_RESOURCE_OUTPUT}")
  file(READ "${OFC_RESOURCE_OUTPUT}" previous)
else()
  set(previous "")
endif()
if(NOT fresh STREQUAL previous)
  file(WRITE "${OFC_RESOURCE_OUTPUT}" "${fresh}")
endif()
file(REMOVE "${out}")
