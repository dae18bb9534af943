# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 (posix threads, so
# std::thread and friends work). Used for Qt's own static build and, through
# that Qt's qt-cmake, for the program.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ZORBELIN_MINGW x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${ZORBELIN_MINGW}-gcc-posix)
set(CMAKE_CXX_COMPILER ${ZORBELIN_MINGW}-g++-posix)
set(CMAKE_RC_COMPILER ${ZORBELIN_MINGW}-windres)

# Headers and libraries come from the MinGW sysroot, never from the host;
# programs (moc, rcc, ...) run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${ZORBELIN_MINGW})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
