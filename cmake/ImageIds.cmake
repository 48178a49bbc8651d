# The editor's images as resources/ImageIds.h names them, the one list of them: the Windows
# resource script and the table compiled into the Linux library are both made from what this
# reads, so a new image is one more line there (and its PNGs).
#
# ofc_read_image_ids(<header> <png dir>) sets in the caller's scope:
#   OFC_IMAGE_IDS      every image id, from kFirst to kLast
#   OFC_RESOURCE_IDS   every resource id: each image, then the same image at twice its size
#                      (id + kDoubleSize)
#   OFC_RESOURCE_PNGS  the file of each resource id, in the same order: <dir>/<id>.png, and
#                      <dir>/<id>@2x.png for the doubled one
function(ofc_read_image_ids header dir)
  file(STRINGS "${header}" lines REGEX "^constexpr int k[A-Za-z0-9]+ = [A-Za-z0-9]+;")
  set(names)
  foreach(line IN LISTS lines)
    string(REGEX MATCH "^constexpr int (k[A-Za-z0-9]+) = ([A-Za-z0-9]+);" match "${line}")
    set(name ${CMAKE_MATCH_1})
    set(value ${CMAKE_MATCH_2})
    if(DEFINED value_${value}) # kFirst and kLast are named after an image
      set(value ${value_${value}})
    endif()
    if(NOT value MATCHES "^[0-9]+$")
      message(FATAL_ERROR "ImageIds: ${name} = ${CMAKE_MATCH_2} in ${header} is not a number "
                          "nor a name given before it")
    endif()
    set(value_${name} ${value})
    list(APPEND names ${name})
  endforeach()
  foreach(name kFirst kLast kDoubleSize)
    if(NOT DEFINED value_${name})
      message(FATAL_ERROR "ImageIds: ${header} gives no ${name}")
    endif()
  endforeach()
  set(first ${value_kFirst})
  set(last ${value_kLast})
  set(double ${value_kDoubleSize})

  # The editor loads kFirst to kLast in a row, and the doubled ids must not meet the plain ones:
  # every id between names one image, and no image lies outside.
  list(REMOVE_ITEM names kFirst kLast kDoubleSize)
  foreach(name IN LISTS names)
    set(id ${value_${name}})
    if(id LESS first OR id GREATER last)
      message(FATAL_ERROR "ImageIds: ${name} = ${id} lies outside kFirst (${first}) to kLast (${last})")
    endif()
    if(DEFINED image_${id})
      message(FATAL_ERROR "ImageIds: ${name} and ${image_${id}} are both ${id}")
    endif()
    set(image_${id} ${name})
  endforeach()
  math(EXPR first_doubled "${first} + ${double}")
  if(NOT first_doubled GREATER last)
    message(FATAL_ERROR "ImageIds: the doubled ids (+${double}) overlap ${first} to ${last}")
  endif()

  set(ids)
  set(resource_ids)
  set(pngs)
  foreach(id RANGE ${first} ${last})
    if(NOT DEFINED image_${id})
      message(FATAL_ERROR "ImageIds: no image has the id ${id}, between kFirst and kLast")
    endif()
    math(EXPR doubled "${id} + ${double}")
    list(APPEND ids ${id})
    list(APPEND resource_ids ${id} ${doubled})
    list(APPEND pngs "${dir}/${id}.png" "${dir}/${id}@2x.png")
  endforeach()
  set(OFC_IMAGE_IDS ${ids} PARENT_SCOPE)
  set(OFC_RESOURCE_IDS ${resource_ids} PARENT_SCOPE)
  set(OFC_RESOURCE_PNGS ${pngs} PARENT_SCOPE)
endfunction()
