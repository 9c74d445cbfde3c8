# Checks a built installer with the MinGW objdump, for the installer that cannot run here (the
# 32-bit one): a GUI-subsystem executable of the expected machine that carries NSIS's data.
#   cmake -DOBJDUMP=<objdump> -DINSTALLER=<setup.exe> -DMACHINE=i386|x86-64 -P check_installer.cmake
cmake_minimum_required(VERSION 3.25)
set(CHECK check_installer)
set(FILE ${INSTALLER})
include(${CMAKE_CURRENT_LIST_DIR}/pe_header.cmake)

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
