# Checks a built program with the MinGW objdump: a GUI-subsystem executable of the expected
# machine that imports only the system's own DLLs, so it runs as one .exe with nothing beside it.
#   cmake -DOBJDUMP=<objdump> -DEXE=<program.exe> -DMACHINE=i386|x86-64 -P check_exe.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var OBJDUMP EXE MACHINE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_exe: ${var} is not given")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${EXE} OUTPUT_VARIABLE dump ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "check_exe: ${OBJDUMP} -p ${EXE} failed: ${err}")
endif()

if(MACHINE STREQUAL "i386")
    set(format "pei-i386")
    set(magic "010b[ \t]+\\(PE32\\)")
elseif(MACHINE STREQUAL "x86-64")
    set(format "pei-x86-64")
    set(magic "020b[ \t]+\\(PE32\\+\\)")
else()
    message(FATAL_ERROR "check_exe: unknown machine ${MACHINE}")
endif()

set(failures "")
if(NOT dump MATCHES "file format ${format}\n")
    string(APPEND failures "  not of file format ${format}\n")
endif()
if(NOT dump MATCHES "Magic[ \t]+${magic}")
    string(APPEND failures "  optional header magic is not that of ${MACHINE}\n")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
    string(APPEND failures "  not a Windows GUI subsystem program\n")
endif()

# DLLs that every Windows since 95 ships; the C runtime msvcrt.dll is one of them.
set(system_dlls kernel32.dll user32.dll gdi32.dll shell32.dll advapi32.dll ole32.dll
    oleaut32.dll msvcrt.dll)
string(REGEX MATCHALL "DLL Name: [^\n]+" names "${dump}")
if(names STREQUAL "")
    string(APPEND failures "  no import table found\n")
endif()
set(imports "")
foreach(line IN LISTS names)
    string(REGEX REPLACE "DLL Name: " "" dll "${line}")
    string(STRIP "${dll}" dll)
    string(TOLOWER "${dll}" dll)
    list(APPEND imports ${dll})
    if(NOT dll IN_LIST system_dlls)
        string(APPEND failures "  imports ${dll}, which is not a system DLL\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "check_exe: ${EXE}\n${failures}")
endif()
message(STATUS "check_exe: ${EXE}: ${format}, imports ${imports}")
