# SPDX-License-Identifier: GPL-3.0-or-later
# The page's boundary: requests in, states out, as JSON. The dispatch, the reading of
# requests, the writing of states, and each section's actions beside its script.
set(PAGE_API_SOURCES)
foreach(source action.cpp action.h break_section.cpp class_work.cpp cyrillic_section.cpp
        exercise_section.cpp json_request.cpp json_request.h json_writer.cpp json_writer.h
        opening_texts.cpp page_api.cpp page_api.h page_state.h results_section.cpp
        sheet_section.cpp substitution_section.cpp unavailable_texts.h vigenere_section.cpp window_section.cpp)
    list(APPEND PAGE_API_SOURCES ${CMAKE_CURRENT_LIST_DIR}/${source})
endforeach()
