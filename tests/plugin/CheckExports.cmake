# Fails unless the plug-in library defines exactly the dynamic symbols VSTPluginMain and main,
# plus the editor's off-screen snapshot for tools (vst2/EditorSnapshotExport.h).
execute_process(COMMAND ${NM} -D --defined-only ${PLUGIN}
                OUTPUT_VARIABLE listing RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "nm failed on ${PLUGIN}")
endif()
string(REGEX MATCHALL "[^\n]+" lines "${listing}")
set(names)
foreach(line IN LISTS lines)
  string(REGEX REPLACE "^.* ([^ ]+)$" "\\1" name "${line}")
  list(APPEND names ${name})
endforeach()
list(SORT names)
if(NOT names STREQUAL "OrvaneEditorSnapshot;VSTPluginMain;main")
  message(FATAL_ERROR "exported symbols: ${names}")
endif()
message(STATUS "exported symbols: ${names}")
