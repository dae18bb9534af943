# SPDX-FileCopyrightText: 2026 Zorbelin contributors
# SPDX-License-Identifier: GPL-3.0-or-later

# Run by target zorbelin_web (web/web.cmake) with SOURCE_DIR, BINARY_DIR,
# WEB_DIR, GZIP and BROTLI set: copies the page, the program and its icons
# into WEB_DIR, writes the service worker with the build's version, and
# compresses the big files both ways (.gz, .br) for servers that can send them
# compressed.
set(sources ${SOURCE_DIR}/web/index.html ${SOURCE_DIR}/web/manifest.webmanifest
            ${SOURCE_DIR}/resources/zorbelin.png ${SOURCE_DIR}/resources/zorbelin-256.png
            ${BINARY_DIR}/qtloader.js ${BINARY_DIR}/zorbelin.js ${BINARY_DIR}/zorbelin.wasm)
file(MAKE_DIRECTORY ${WEB_DIR})
# "./" is the address the page is opened by; the service worker keeps it too.
set(cached "'./'")
set(hashes)
foreach(source ${sources})
    get_filename_component(name ${source} NAME)
    file(COPY_FILE ${source} ${WEB_DIR}/${name})
endforeach()

# Qt's loader makes a new WebGL context each time it asks whether WebGL
# works, four times before it starts the download; it asks once here.
file(READ ${WEB_DIR}/qtloader.js loader)
set(ask "    function webGLSupported() {\n")
string(REPLACE "${ask}" "    var webGLAnswer;\n    function webGLSupported() {\n\
        if (webGLAnswer === undefined)\n            webGLAnswer = askWebGL();\n        return webGLAnswer;\n    }\n\
    function askWebGL() {\n" asked_once "${loader}")
if(asked_once STREQUAL loader)
    message(FATAL_ERROR "qtloader.js has no \"function webGLSupported() {\" any more")
endif()
# It also fetches and compiles the program only once its own script has run;
# the page starts both as it opens and hands the loader the result
# (wasmModule, a promise of the compiled module).
set(fetch "fetchCompileWasm(applicationName + \".wasm\")")
string(REPLACE "${fetch}" "(config.wasmModule || ${fetch})" handed "${asked_once}")
if(handed STREQUAL asked_once)
    message(FATAL_ERROR "qtloader.js has no \"${fetch}\" any more")
endif()
file(WRITE ${WEB_DIR}/qtloader.js "${handed}")

foreach(source ${sources})
    get_filename_component(name ${source} NAME)
    file(SHA256 ${WEB_DIR}/${name} hash)
    string(APPEND hashes ${hash})
    string(APPEND cached ", '${name}'")
endforeach()

# The version changes with any file's content, and only then, so a new build
# replaces the stored copies and an unchanged one leaves them alone.
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 ZORBELIN_WEB_VERSION)
set(ZORBELIN_WEB_FILES ${cached})
configure_file(${SOURCE_DIR}/web/sw.js ${WEB_DIR}/sw.js @ONLY)

# gzip -n: no name or time stamp, so the same build gives the same bytes.
foreach(name qtloader.js zorbelin.js zorbelin.wasm)
    execute_process(COMMAND ${GZIP} -9 -n -c ${WEB_DIR}/${name}
                    OUTPUT_FILE ${WEB_DIR}/${name}.gz RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "gzip ${name}: ${status}")
    endif()
    execute_process(COMMAND ${BROTLI} -q 11 -f -o ${WEB_DIR}/${name}.br ${WEB_DIR}/${name}
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "brotli ${name}: ${status}")
    endif()
endforeach()
