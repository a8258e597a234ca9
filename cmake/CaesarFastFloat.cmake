# SPDX-License-Identifier: GPL-3.0-or-later
# fast_float, header-only, from Debian's libfast-float-dev, for every build: its folder alone is
# copied beside the build and put on the include path, so that the Windows and the page's
# compilers, which must not read this machine's /usr/include, see the same headers.
find_path(CAESAR_FAST_FLOAT_INCLUDE fast_float/fast_float.h PATHS /usr/include
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)
if(NOT CAESAR_FAST_FLOAT_INCLUDE)
    message(FATAL_ERROR "fast_float is missing; it comes with libfast-float-dev")
endif()
file(COPY ${CAESAR_FAST_FLOAT_INCLUDE}/fast_float DESTINATION ${PROJECT_BINARY_DIR}/fast_float)
add_library(fast_float INTERFACE)
target_include_directories(fast_float SYSTEM INTERFACE ${PROJECT_BINARY_DIR}/fast_float)
