# SPDX-License-Identifier: GPL-3.0-or-later
# caesar_add_gtest(NAME SOURCES... LIBRARIES...): a GoogleTest executable whose cases each
# become their own CTest entry (in a cross build, one entry run through the emulator).
set(CAESAR_GTEST_SOURCES "" CACHE PATH
    "GoogleTest's sources, to build it with the project (for cross builds); empty to find it")
if(BUILD_TESTING AND NOT EMSCRIPTEN)
    if(CAESAR_GTEST_SOURCES)
        set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
        set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
        add_subdirectory(${CAESAR_GTEST_SOURCES} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
        # Its warnings are not ours to fix.
        set_target_properties(gtest gtest_main PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
    else()
        find_package(GTest REQUIRED)
    endif()
    include(GoogleTest)
endif()

function(caesar_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
    if(CMAKE_CROSSCOMPILING)
        # Each start under the emulator costs seconds, so the whole suite is one test there.
        add_test(NAME ${name} COMMAND ${name})
        caesar_wine_prefix(${name})
    else()
        gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
    endif()
endfunction()

# caesar_scaled_test_name(VARIABLE NAME SCALE): NAME at the design's scale, NAME.scale1_5 at
# 1.5 and so on.
function(caesar_scaled_test_name variable name scale)
    set(test ${name})
    if(NOT scale EQUAL 1)
        string(REPLACE "." "_" suffix ${scale})
        set(test ${name}.scale${suffix})
    endif()
    set(${variable} ${test} PARENT_SCOPE)
endfunction()

# Where Liberation Serif lies: Debian 12's fonts-liberation2 has a folder of its own, Debian
# 13's is a transition to fonts-liberation's.
find_path(CAESAR_SERIF_DIRECTORY LiberationSerif-Regular.ttf
    PATHS /usr/share/fonts/truetype/liberation2 /usr/share/fonts/truetype/liberation
    NO_DEFAULT_PATH NO_CMAKE_FIND_ROOT_PATH)

# caesar_add_qtest(NAME [DESIGN_SCALE_ONLY] SOURCES... LIBRARIES...): a Qt Test executable run
# on the offscreen platform at the design's scale and, unless told otherwise, also at 1.5 and 2
# times that.
function(caesar_add_qtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "DESIGN_SCALE_ONLY" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test)
    get_target_property(qt_linkage Qt6::Core TYPE)
    if(qt_linkage STREQUAL "STATIC_LIBRARY")
        # A static Qt links in only the platform's own plugin; the tests draw offscreen.
        qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin)
    endif()
    set(scales 1)
    if(NOT ARG_DESIGN_SCALE_ONLY)
        list(APPEND scales 1.5 2)
    endif()
    foreach(scale ${scales})
        caesar_scaled_test_name(test ${name} ${scale})
        add_test(NAME ${test} COMMAND ${name})
        set(environment QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=${scale})
        if(CMAKE_CROSSCOMPILING AND WIN32)
            # Wine hands a Windows program QT_X only as WINEQT_X; the offscreen platform on
            # Windows reads its fonts from a folder; Qt Test writes to the debugger unless
            # told to use the console.
            list(APPEND environment QT_FORCE_STDERR_LOGGING=1)
            list(TRANSFORM environment PREPEND WINE)
            list(APPEND environment
                WINEQT_QPA_FONTDIR=Z:${CAESAR_SERIF_DIRECTORY})
        endif()
        set_tests_properties(${test} PROPERTIES ENVIRONMENT "${environment}")
        if(CMAKE_CROSSCOMPILING)
            caesar_wine_prefix(${test})
            # A fatal Qt error opens a message box that nobody closes under Wine.
            set_tests_properties(${test} PROPERTIES TIMEOUT 180)
        endif()
    endforeach()
endfunction()
