# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by CPack on the staged files, after its own strip and before packing:
# drops the compiler's version notes (.comment) from the program, as Debian's
# own package builds do, which plain strip leaves in.
find_program(OBJCOPY objcopy REQUIRED)
file(GLOB_RECURSE programs "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/bin/zorbelin")
if(NOT programs)
    message(FATAL_ERROR "deb-strip: no bin/zorbelin under ${CPACK_TEMPORARY_INSTALL_DIRECTORY}")
endif()
foreach(program IN LISTS programs)
    execute_process(COMMAND ${OBJCOPY} --remove-section=.comment ${program} COMMAND_ERROR_IS_FATAL ANY)
endforeach()
