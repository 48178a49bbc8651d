# Writes a man page from a program's own --help texts, so the page says what the program says.
#   cmake -DPROGRAM=path -DNAME=ofc-host -DSUMMARY="..." -DVERSION=1.0.0 -DPRODUCT="..."
#         [-DSUBCOMMANDS=ON] [-DSEE_ALSO="ofc-bench(1)"] -DOUT=ofc-host.1 -P ManPage.cmake
# With SUBCOMMANDS, every command that `PROGRAM --help` lists under "commands:" gets a section
# with the text of `PROGRAM COMMAND --help`.
cmake_minimum_required(VERSION 3.22)
foreach(required PROGRAM NAME SUMMARY VERSION PRODUCT OUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "ManPage.cmake needs -D${required}=...")
  endif()
endforeach()

function(help_of out)
  execute_process(COMMAND ${PROGRAM} ${ARGN} --help OUTPUT_VARIABLE text RESULT_VARIABLE status)
  if(NOT status EQUAL 0 OR text STREQUAL "")
    message(FATAL_ERROR "${PROGRAM} ${ARGN} --help answered ${status}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Text for a no-fill block: backslashes and hyphens escaped, lines that roff would take for
# requests protected.
function(roff_verbatim out text)
  string(REPLACE "\\" "\\e" text "${text}")
  string(REPLACE "-" "\\-" text "${text}")
  string(REGEX REPLACE "(^|\n)([.'])" "\\1\\\\&\\2" text "${text}")
  set(${out} ".nf\n${text}.fi\n" PARENT_SCOPE)
endfunction()

function(roff_text out text)
  string(REPLACE "-" "\\-" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

string(TOUPPER "${NAME}" title)
roff_text(name_line "${NAME} - ${SUMMARY}")
set(page ".TH ${title} 1 \"\" \"${PRODUCT} ${VERSION}\" \"User Commands\"\n")
string(APPEND page ".SH NAME\n${name_line}\n")

help_of(main_help)
# The usage lines stand first: "usage:" and the indented lines that continue it.
string(REGEX MATCH "^usage: [^\n]*(\n +[^\n]*)*" synopsis "${main_help}")
string(REGEX REPLACE "^usage: " "" synopsis "${synopsis}")
roff_verbatim(block "${synopsis}\n")
string(APPEND page ".SH SYNOPSIS\n${block}")
roff_verbatim(block "${main_help}")
string(APPEND page ".SH DESCRIPTION\n${block}")

if(SUBCOMMANDS)
  string(REGEX MATCH "commands:\n(.*)" listing "${main_help}")
  string(REGEX MATCHALL "(^|\n)  [a-z][a-z0-9-]*" commands "${CMAKE_MATCH_1}")
  string(APPEND page ".SH COMMANDS\n")
  foreach(command IN LISTS commands)
    string(STRIP "${command}" command)
    help_of(text ${command})
    roff_verbatim(block "${text}")
    string(APPEND page ".SS ${command}\n${block}")
  endforeach()
endif()

roff_text(product "${PRODUCT}")
string(APPEND page ".SH SEE ALSO\n")
if(DEFINED SEE_ALSO)
  string(APPEND page "${SEE_ALSO}, ")
endif()
string(APPEND page "the user's manual of the ${product}, docs/manual.md in its sources.\n")
file(WRITE "${OUT}" "${page}")
