# SPDX-License-Identifier: GPL-3.0-or-later
# Tests of a Windows cross build run under Wine, each in a Wine prefix of its own under the
# build tree, made on first use and stopped after every run (tools/wine_run.sh).
set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine_run.sh)
# Qt for Windows is found through CMAKE_PREFIX_PATH; the toolchain searches only under its
# find roots, so that prefix is one too.
list(APPEND CMAKE_FIND_ROOT_PATH ${CMAKE_PREFIX_PATH})

# caesar_wine_prefix(TEST): gives the test its own Wine prefix.
function(caesar_wine_prefix test)
    set_property(TEST ${test} APPEND PROPERTY ENVIRONMENT
        WINEPREFIX=${CMAKE_BINARY_DIR}/wine/${test})
endfunction()
