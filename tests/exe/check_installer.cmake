# Checks a built installer with the MinGW objdump, for the installer that cannot run here (the
# 32-bit one): a GUI-subsystem executable of the expected machine that carries NSIS's data.
#   cmake -DOBJDUMP=<objdump> -DINSTALLER=<setup.exe> -DMACHINE=i386|x86-64 -P check_installer.cmake
cmake_minimum_required(VERSION 3.25)
foreach(var OBJDUMP INSTALLER MACHINE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "check_installer: ${var} is not given")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${INSTALLER} OUTPUT_VARIABLE dump ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "check_installer: ${OBJDUMP} -p ${INSTALLER} failed: ${err}")
endif()

set(failures "")
if(NOT dump MATCHES "file format pei-${MACHINE}\n")
    string(APPEND failures "  not of file format pei-${MACHINE}\n")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
    string(APPEND failures "  not a Windows GUI subsystem program\n")
endif()
# The header that NSIS appends to its stub starts with this signature; without it the stub has
# nothing to install.
file(STRINGS ${INSTALLER} signature REGEX "NullsoftInst" LIMIT_COUNT 1)
if(NOT signature)
    string(APPEND failures "  no NSIS data after the stub\n")
endif()

if(failures)
    message(FATAL_ERROR "check_installer: ${INSTALLER}\n${failures}")
endif()
message(STATUS "check_installer: ${INSTALLER}: pei-${MACHINE}, NSIS installer")
