# Fails if any of OBJECTS (a list) moves a 32- or 64-byte vector to or from the stack with an
# aligned move. 64-bit Windows code cannot realign its stack (its unwind data describes fixed
# frames), which the system keeps 16-byte aligned only, so such a move would fault on some calls
# and not others: the compiler must spill wide vectors there with unaligned moves.
set(found "")
foreach(object IN LISTS OBJECTS)
  execute_process(COMMAND ${OBJDUMP} -d --no-show-raw-insn ${object} OUTPUT_VARIABLE text
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${object}")
  endif()
  string(REGEX MATCHALL "[^\n]*(vmovap[sd]|vmovdqa)[^\n]*" lines "${text}")
  foreach(line IN LISTS lines)
    if(line MATCHES "%[yz]mm" AND line MATCHES "\\(%r[sb]p\\)")
      get_filename_component(name ${object} NAME)
      string(APPEND found "\n  ${name}: ${line}")
    endif()
  endforeach()
endforeach()
if(found)
  message(FATAL_ERROR "aligned wide vector moves on the stack:${found}")
endif()
list(LENGTH OBJECTS count)
message(STATUS "${count} objects, no aligned wide vector moves on the stack")
