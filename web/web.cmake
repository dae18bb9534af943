# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# The browser build (scripts/build-web): the same window compiled to
# WebAssembly, and target zorbelin_web, which puts it together with its page
# into one folder of static files for any web server. Included from the top
# CMakeLists.txt only when building with Emscripten.
qt_add_executable(zorbelin ${CMAKE_CURRENT_LIST_DIR}/main.cpp ${CMAKE_CURRENT_LIST_DIR}/accessiblemirror.cpp
                          ${CMAKE_CURRENT_LIST_DIR}/accessiblemirror.h)
# GuiPrivate: switching Qt's accessibility on, which the browser's platform never does.
target_link_libraries(zorbelin PRIVATE ui Qt6::GuiPrivate)
# ENV: the page hands the program its scale factor through the environment.
set_target_properties(zorbelin PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}
                                          QT_WASM_EXTRA_EXPORTED_METHODS ENV)

# Qt is static: the browser platform comes with it, and the reader of the
# picture (JPEG) is linked in; the window icon is the page's. No style
# plugin: the program uses Fusion, which is part of Qt Widgets.
qt_import_plugins(zorbelin
    INCLUDE_BY_TYPE imageformats Qt6::QJpegPlugin
    EXCLUDE_BY_TYPE styles)

include(${PROJECT_SOURCE_DIR}/cmake/qt-texts.cmake)
zorbelin_embed_qt_texts(zorbelin)

# A page cannot use the computer's fonts, so the window's Times New Roman
# travels with it as Liberation Serif, which has the same metrics and Cyrillic.
set(ZORBELIN_FONTS /usr/share/fonts/truetype/liberation2 CACHE PATH
    "Folder holding LiberationSerif-Regular.ttf (Debian: fonts-liberation2)")
if(NOT EXISTS ${ZORBELIN_FONTS}/LiberationSerif-Regular.ttf)
    message(FATAL_ERROR "${ZORBELIN_FONTS}/LiberationSerif-Regular.ttf is missing: install fonts-liberation2")
endif()
qt_add_resources(zorbelin fonts
    PREFIX /fonts
    BASE ${ZORBELIN_FONTS}
    FILES ${ZORBELIN_FONTS}/LiberationSerif-Regular.ttf)

# The folder to serve; scripts/build-web makes it build-web/.
set(ZORBELIN_WEB_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Folder of static files the browser build is put into")
find_program(GZIP_EXECUTABLE gzip REQUIRED)
find_program(BROTLI_EXECUTABLE brotli REQUIRED)
set(web_sources index.html manifest.webmanifest sw.js site.cmake)
list(TRANSFORM web_sources PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
set(web_files index.html manifest.webmanifest sw.js zorbelin.png zorbelin-256.png qtloader.js zorbelin.js
              zorbelin.wasm zorbelin.js.gz zorbelin.wasm.gz qtloader.js.gz zorbelin.js.br zorbelin.wasm.br
              qtloader.js.br)
list(TRANSFORM web_files PREPEND ${ZORBELIN_WEB_DIR}/)
add_custom_command(OUTPUT ${web_files}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR} -DBINARY_DIR=${PROJECT_BINARY_DIR}
            -DWEB_DIR=${ZORBELIN_WEB_DIR} -DGZIP=${GZIP_EXECUTABLE}
            -DBROTLI=${BROTLI_EXECUTABLE} -P ${CMAKE_CURRENT_LIST_DIR}/site.cmake
    DEPENDS zorbelin ${web_sources} ${PROJECT_SOURCE_DIR}/resources/zorbelin.png
            ${PROJECT_SOURCE_DIR}/resources/zorbelin-256.png
    COMMENT "Putting the browser build together in ${ZORBELIN_WEB_DIR}"
    VERBATIM)
add_custom_target(zorbelin_web ALL DEPENDS ${web_files})
