# Redraws the images into SCRATCH with GENERATOR and fails unless each equals the committed
# file in COMMITTED byte for byte.
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
execute_process(COMMAND ${GENERATOR} ${SCRATCH} RESULT_VARIABLE drawn)
if(NOT drawn EQUAL 0)
    message(FATAL_ERROR "the generator failed: ${drawn}")
endif()
foreach(image icon.png icon.argb icon-48.png icon-64.png icon-128.png icon-256.png caesar.ico disk.png
        disk.argb disk@2x.png disk@2x.argb)
    execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${SCRATCH}/${image} ${COMMITTED}/${image}
        RESULT_VARIABLE different)
    if(different)
        message(FATAL_ERROR "${image} differs from what the generator draws; redraw it with "
                            "cmake --build build --target images")
    endif()
endforeach()
