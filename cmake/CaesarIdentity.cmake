# SPDX-License-Identifier: GPL-3.0-or-later
# Who publishes the program, under which names, and when this version was released: all of it
# follows from CAESAR_PUBLISHER_DOMAIN and CAESAR_RELEASE_DATE, set beside the version in
# CMakeLists.txt, and is configured into every file that names it.

# The reverse-domain id of the desktop entry, the AppStream component and the Windows
# manifest. Desktops and software centres keep it, so it changes only with the publisher.
string(REPLACE "." ";" labels ${CAESAR_PUBLISHER_DOMAIN})
list(REVERSE labels)
list(JOIN labels "." reversed)
set(CAESAR_APP_ID ${reversed}.Caesar)
unset(labels)
unset(reversed)
# The address the window's caption starts with, and the home page it stands for.
set(CAESAR_WEB_ADDRESS www.${CAESAR_PUBLISHER_DOMAIN})
set(CAESAR_HOMEPAGE https://${CAESAR_WEB_ADDRESS}/)
# The window's caption: the address, then the lesson's title. The tests that read the caption
# from outside are handed it from here.
set(CAESAR_CAPTION "${CAESAR_WEB_ADDRESS} Информатика - криптиране, cipher Zuradi")
set(CAESAR_MAINTAINER "Caesar cipher lesson <caesar@${CAESAR_PUBLISHER_DOMAIN}>")
# The package, the command and the Windows program share one name: bsdgames already installs
# a /usr/games/caesar, and a teacher who finds caesar-cipher-lesson.zip in the downloads looks
# for the same name in Program Files and the task manager.
set(CAESAR_PROGRAM caesar-cipher-lesson)

# caesar_rfc5322_date(OUT YYYY-MM-DD): the date as the changelog writes it (RFC 5322, at noon
# UTC), through the day number of the Gregorian calendar: CMake's own clock knows only the
# present.
function(caesar_rfc5322_date out iso_date)
    string(REGEX MATCH "^([0-9][0-9][0-9][0-9])-([0-9][0-9])-([0-9][0-9])$" date ${iso_date})
    if(NOT date)
        message(FATAL_ERROR "CAESAR_RELEASE_DATE must read YYYY-MM-DD, not ${iso_date}")
    endif()
    set(year ${CMAKE_MATCH_1})
    set(month ${CMAKE_MATCH_2})
    set(day ${CMAKE_MATCH_3})
    if(month LESS_EQUAL 2)
        set(january_or_february 1)
    else()
        set(january_or_february 0)
    endif()
    # The year counts from March, so that the leap day ends it.
    math(EXPR y "${year} - ${january_or_february}")
    math(EXPR day_of_year
         "(153 * (${month} + 12 * ${january_or_february} - 3) + 2) / 5 + ${day} - 1")
    math(EXPR days "${y} / 400 * 146097 + ${y} % 400 * 365 + ${y} % 400 / 4 - ${y} % 400 / 100
                    + ${day_of_year} - 719468")
    math(EXPR weekday "(${days} + 4) % 7")
    math(EXPR month_index "${month} - 1")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekday_name)
    list(GET months ${month_index} month_name)
    set(${out} "${weekday_name}, ${day} ${month_name} ${year} 12:00:00 +0000" PARENT_SCOPE)
endfunction()
caesar_rfc5322_date(CAESAR_RELEASE_DATE_RFC5322 ${CAESAR_RELEASE_DATE})
