# SPDX-License-Identifier: GPL-3.0-or-later
# The lessons page beside the program, with a menu entry of its own that opens it in the
# desktop's browser, and what the AppStream metadata and the package say of it.
set(LESSONS_ID ${CAESAR_APP_ID}.Lessons)
set(LESSONS_DIRECTORY ${CMAKE_INSTALL_DATADIR}/${CAESAR_PROGRAM})
set(LESSONS_ENTRY ${CMAKE_CURRENT_BINARY_DIR}/${LESSONS_ID}.desktop)
install(FILES ${CAESAR_LESSONS_PAGE_FILE} DESTINATION ${LESSONS_DIRECTORY})
# The entry names the page by its full path, which only the install knows (cpack installs
# under /usr, "cmake --install --prefix" anywhere): the prefix is left standing here and
# written in when installing, straight into the installed entry, so that nothing in the build
# tree is written by an install that may run as root.
set(LESSONS_PAGE @CMAKE_INSTALL_PREFIX@/${LESSONS_DIRECTORY}/${CAESAR_PROGRAM}.html)
configure_file(lessons-entry.desktop.in ${LESSONS_ENTRY}.in @ONLY)
install(CODE "configure_file(\"${LESSONS_ENTRY}.in\"
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/${LESSONS_ID}.desktop\"
    @ONLY)")
# lintian expects a menu entry's command inside the package, not in a dependency.
configure_file(lintian-overrides.in lintian-overrides @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME ${CAESAR_PROGRAM})
# xdg-open comes with xdg-utils.
set(LESSONS_DEPENDS ", xdg-utils")

# Whose code the page carries besides ours, for the package's copyright file.
file(READ lessons-copyright.in LESSONS_COPYRIGHT)
string(CONFIGURE "${LESSONS_COPYRIGHT}" LESSONS_COPYRIGHT @ONLY)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS lessons-copyright.in)

set(LESSONS_LAUNCHABLE "<launchable type=\"desktop-id\">${LESSONS_ID}.desktop</launchable>")
set(LESSONS_DESCRIPTION "<p>
      Заедно с програмата се инсталира и страница с още уроци. Тя се отваря в браузъра от
      елемента „Шифър на Цезар — уроци в браузъра“ в менюто.
    </p>")
