# caesar_add_gtest(NAME SOURCES... LIBRARIES...): a GoogleTest executable whose cases each
# become their own CTest entry.
if(BUILD_TESTING)
    find_package(GTest REQUIRED)
    include(GoogleTest)
endif()

function(caesar_add_gtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest_main)
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60)
endfunction()

# caesar_add_qtest(NAME [DESIGN_SCALE_ONLY] SOURCES... LIBRARIES...): a Qt Test executable run
# on the offscreen platform, once at the design's scale and, unless told otherwise, once at
# twice that.
function(caesar_add_qtest name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "DESIGN_SCALE_ONLY" "" "SOURCES;LIBRARIES")
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} Qt6::Test)
    add_test(NAME ${name} COMMAND ${name})
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
    if(NOT ARG_DESIGN_SCALE_ONLY)
        add_test(NAME ${name}.scale2 COMMAND ${name})
        set_tests_properties(${name}.scale2 PROPERTIES
            ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_SCALE_FACTOR=2")
    endif()
endfunction()
