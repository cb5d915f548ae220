# cmake -DOBJDUMP=... -DPROGRAM=player.exe -P check_imports.cmake: fails on any imported function
# whose name ends in the A of an ANSI form (a lower-case letter or digit, then A).
cmake_minimum_required(VERSION 3.20)
execute_process(COMMAND ${OBJDUMP} -p ${PROGRAM} OUTPUT_VARIABLE table RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR NOT table MATCHES "DLL Name")
  message(FATAL_ERROR "no import table read from ${PROGRAM}")
endif()
# The static C and C++ runtimes' own calls, which carry no text of the program: module names,
# unnamed events and semaphores, their own error and debug strings and the start-up record.
set(allowed CreateEventA CreateSemaphoreA FormatMessageA GetModuleHandleA GetStartupInfoA
            LoadLibraryA OutputDebugStringA)
string(REGEX MATCHALL "\n\t[0-9a-f]+\t +[0-9]+  [A-Za-z_0-9]+" entries "${table}")
set(ansi)
set(count 0)
foreach(entry ${entries})
  string(REGEX REPLACE ".* ([A-Za-z_0-9]+)$" "\\1" name "${entry}")
  math(EXPR count "${count} + 1")
  if(name MATCHES "[a-z0-9]A$" AND NOT name IN_LIST allowed)
    list(APPEND ansi ${name})
  endif()
endforeach()
if(count LESS 50)
  message(FATAL_ERROR "only ${count} imports read: the table's form is not understood")
endif()
if(ansi)
  list(JOIN ansi ", " names)
  message(FATAL_ERROR "ANSI calls imported by ${PROGRAM}: ${names}")
endif()
message(STATUS "${count} imports, none of them an ANSI call")
