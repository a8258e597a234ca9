# SPDX-License-Identifier: GPL-3.0-or-later
# The lessons page, for the program's packages to carry beside the program: this same source
# tree built once more by Debian's emscripten, as a project of its own (the program's compiler
# makes no WebAssembly), up to its target page alone. Gives the target lessons_page and
# CAESAR_LESSONS_PAGE_FILE, the page it makes.
include(ExternalProject)
set(CAESAR_EMSCRIPTEN_TOOLCHAIN /usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake
    CACHE FILEPATH "emscripten's CMake toolchain file, for the lessons page")
if(NOT EXISTS ${CAESAR_EMSCRIPTEN_TOOLCHAIN})
    message(FATAL_ERROR "The lessons page needs emscripten (Debian's emscripten, python3 and "
                        "nodejs), or configure with -DCAESAR_LESSONS_PAGE=OFF")
endif()

set(binary_dir ${CMAKE_BINARY_DIR}/lessons-page)
set(CAESAR_LESSONS_PAGE_FILE ${binary_dir}/${CAESAR_PROGRAM}.html)
if(CMAKE_COMPILE_WARNING_AS_ERROR)
    set(warnings_are_errors ON)
else()
    set(warnings_are_errors OFF)
endif()
# Debian's emscripten finds the Node.js modules its tools load only through NODE_PATH.
set(with_node_modules ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
ExternalProject_Add(lessons_page
    SOURCE_DIR ${PROJECT_SOURCE_DIR}
    BINARY_DIR ${binary_dir}
    CONFIGURE_COMMAND ${with_node_modules} ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
                      -G ${CMAKE_GENERATOR} -DCMAKE_TOOLCHAIN_FILE=${CAESAR_EMSCRIPTEN_TOOLCHAIN}
                      -DCMAKE_BUILD_TYPE=MinSizeRel -DBUILD_TESTING=OFF
                      -DCMAKE_COMPILE_WARNING_AS_ERROR=${warnings_are_errors}
    BUILD_COMMAND ${with_node_modules} ${CMAKE_COMMAND} --build <BINARY_DIR> --target page
    BUILD_BYPRODUCTS ${CAESAR_LESSONS_PAGE_FILE}
    INSTALL_COMMAND ""
    # Its own build decides what is out of date, as the page's sources change.
    BUILD_ALWAYS ON
)
unset(binary_dir)
unset(warnings_are_errors)
unset(with_node_modules)
