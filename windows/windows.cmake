# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# The Windows build: one zorbelin.exe to copy to a school PC and double-click,
# with no installer and nothing to put beside it. Included from the top
# CMakeLists.txt only when building for Windows (scripts/build-windows).
enable_language(RC)

# A window program: Windows opens no console for it.
set_target_properties(zorbelin PROPERTIES WIN32_EXECUTABLE ON)

# The icon Explorer shows and the version in the file's properties, both
# taken from this project.
configure_file(${CMAKE_CURRENT_LIST_DIR}/zorbelin.rc.in ${PROJECT_BINARY_DIR}/zorbelin.rc @ONLY)
target_sources(zorbelin PRIVATE ${PROJECT_BINARY_DIR}/zorbelin.rc)

# Qt is static, so its plugins are linked in: the Windows platform and the
# readers of the picture (JPEG) and the icon (ICO). No style plugin: the
# program uses Fusion, which is part of Qt Widgets.
qt_import_plugins(zorbelin
    INCLUDE Qt6::QWindowsIntegrationPlugin
    INCLUDE_BY_TYPE imageformats Qt6::QJpegPlugin Qt6::QICOPlugin
    EXCLUDE_BY_TYPE styles)

include(${PROJECT_SOURCE_DIR}/cmake/qt-texts.cmake)
zorbelin_embed_qt_texts(zorbelin)

# The C and C++ runtimes and winpthread are linked in too, into the program and
# into every test built after this point, so none of them needs a DLL.
target_link_options(zorbelin PRIVATE -static -static-libgcc -static-libstdc++)
# A release leaves out the symbols: about half the size to copy around.
target_link_options(zorbelin PRIVATE $<$<CONFIG:Release>:-s>)
add_link_options(-static -static-libgcc -static-libstdc++)
# The linker writes the time of linking into the PE header unless told not
# to; without it, two builds of one commit give the same exe.
target_link_options(zorbelin PRIVATE -Wl,--no-insert-timestamp)
add_link_options(-Wl,--no-insert-timestamp)
