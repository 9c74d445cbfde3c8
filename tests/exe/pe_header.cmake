# Shared by the checks of a built program and of a built installer: dumps the PE headers of FILE
# with OBJDUMP into `dump`, and starts `failures` with what is wrong of its machine (MACHINE:
# i386 or x86-64, FORMAT set to pei-<machine>) and of its subsystem (Windows GUI). CHECK names
# the calling check in its messages.
foreach(var OBJDUMP FILE MACHINE)
    if(NOT DEFINED ${var})
        message(FATAL_ERROR "${CHECK}: ${var} is not given")
    endif()
endforeach()

execute_process(COMMAND ${OBJDUMP} -p ${FILE} OUTPUT_VARIABLE dump ERROR_VARIABLE err
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${CHECK}: ${OBJDUMP} -p ${FILE} failed: ${err}")
endif()

set(format "pei-${MACHINE}")
set(failures "")
if(NOT dump MATCHES "file format ${format}\n")
    string(APPEND failures "  not of file format ${format}\n")
endif()
if(NOT dump MATCHES "Subsystem[ \t]+00000002[ \t]+\\(Windows GUI\\)")
    string(APPEND failures "  not a Windows GUI subsystem program\n")
endif()
