# Checks a built program with the MinGW objdump: a GUI-subsystem executable of the expected
# machine that imports only the system's own DLLs, so it runs as one .exe with nothing beside it,
# and whose resources carry the version it was built as.
#   cmake -DOBJDUMP=<objdump> -DEXE=<program.exe> -DMACHINE=i386|x86-64 -DVERSION=a.b.c.d
#         -P check_exe.cmake
cmake_minimum_required(VERSION 3.25)
if(NOT DEFINED VERSION)
    message(FATAL_ERROR "check_exe: VERSION is not given")
endif()
set(CHECK check_exe)
set(FILE ${EXE})
include(${CMAKE_CURRENT_LIST_DIR}/pe_header.cmake)

if(MACHINE STREQUAL "i386")
    set(magic "010b[ \t]+\\(PE32\\)")
elseif(MACHINE STREQUAL "x86-64")
    set(magic "020b[ \t]+\\(PE32\\+\\)")
else()
    message(FATAL_ERROR "check_exe: unknown machine ${MACHINE}")
endif()
if(NOT dump MATCHES "Magic[ \t]+${magic}")
    string(APPEND failures "  optional header magic is not that of ${MACHINE}\n")
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

# Calls that some Windows the program runs on lack are looked up at run time: importing one would
# keep the program from starting there.
foreach(call QueryFullProcessImageNameW CreateToolhelp32Snapshot Process32First Process32Next
        SendInput InitCommonControlsEx GetDpiForSystem GetDpiForWindow GetSystemMetricsForDpi)
    if(dump MATCHES "[ \t]${call}\n")
        string(APPEND failures "  imports ${call}, which it must look up at run time\n")
    endif()
endforeach()

# The texts generated from project(VERSION): the About line and the file and product versions,
# UTF-16 in the resources, and the manifest's assembly version.
string(REPLACE "." "\\." version_pattern "${VERSION}")
file(STRINGS ${EXE} texts ENCODING UTF-16LE
     REGEX "^(QN520 Remote Control Utility V)?[0-9]+\\.[0-9]+\\.[0-9]+\\.[0-9]+$")
list(SORT texts)
if(NOT texts STREQUAL "${VERSION};${VERSION};QN520 Remote Control Utility V${VERSION}")
    string(APPEND failures "  About text, file and product version are not ${VERSION}: ${texts}\n")
endif()
file(STRINGS ${EXE} manifest REGEX "version=\"${version_pattern}\"")
if(NOT manifest)
    string(APPEND failures "  the manifest does not give version ${VERSION}\n")
endif()

# The manifest's declarations: aware of the display's scale (both forms), the common controls of
# the system's look, and each Windows the program is tested on.
file(STRINGS ${EXE} manifest_lines REGEX "dpiAware|Common-Controls|supportedOS")
string(JOIN "\n" manifest_text ${manifest_lines})
foreach(declaration
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"
        ">PerMonitorV2, System</dpiAwareness>"
        "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}" "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}"
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}" "{1f676c76-80e1-4239-95bb-83d0f6d0da78}"
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")
    string(FIND "${manifest_text}" "${declaration}" at)
    if(at EQUAL -1)
        string(APPEND failures "  the manifest does not declare ${declaration}\n")
    endif()
endforeach()

if(failures)
    message(FATAL_ERROR "check_exe: ${EXE}\n${failures}")
endif()
message(STATUS "check_exe: ${EXE}: ${format}, imports ${imports}")
