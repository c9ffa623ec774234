# SPDX-License-Identifier: MIT
# Installation into the usual places and a Debian package built with CPack.
include(GNUInstallDirs)

set(KALVORA_APP_ID org.kalvora.kalvora)
set(KALVORA_CONTACT_EMAIL kalvora@users.noreply.kalvora.org)
set(KALVORA_CONTACT "The Kalvora developers <${KALVORA_CONTACT_EMAIL}>")
# The README's pictures as the project's site serves them.
set(KALVORA_SCREENSHOTS_URL "${PROJECT_HOMEPAGE_URL}/docs/screenshots")

# Files written from templates with the version, the date and the names above.
set(KALVORA_GENERATED ${CMAKE_BINARY_DIR}/generated)
configure_file(assets/${KALVORA_APP_ID}.metainfo.xml.in ${KALVORA_GENERATED}/${KALVORA_APP_ID}.metainfo.xml @ONLY)
configure_file(docs/kalvora.1.in ${KALVORA_GENERATED}/kalvora.1 @ONLY)
configure_file(docs/kalvora.ja.1.in ${KALVORA_GENERATED}/kalvora.ja.1 @ONLY)
execute_process(COMMAND date -R -u -d "${KALVORA_RELEASE_DATE} 12:00"
                OUTPUT_VARIABLE KALVORA_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
# A Debian changelog has no room for a licence line: the template's first line
# stays behind.
file(READ docs/changelog.in changelog)
string(REGEX REPLACE "^#[^\n]*\n" "" changelog "${changelog}")
file(CONFIGURE OUTPUT ${KALVORA_GENERATED}/changelog CONTENT "${changelog}" @ONLY)
# Debian keeps both compressed, reproducibly (no name or time in the header).
foreach(document kalvora.1 kalvora.ja.1 changelog)
  add_custom_command(OUTPUT ${KALVORA_GENERATED}/${document}.gz
                     COMMAND gzip -9nkf ${KALVORA_GENERATED}/${document}
                     DEPENDS ${KALVORA_GENERATED}/${document}
                     COMMENT "Compressing ${document}")
endforeach()
add_custom_target(kalvora_documents ALL DEPENDS ${KALVORA_GENERATED}/kalvora.1.gz ${KALVORA_GENERATED}/kalvora.ja.1.gz
                                                ${KALVORA_GENERATED}/changelog.gz)

install(TARGETS kalvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS kalvora_exact_module LIBRARY DESTINATION ${KALVORA_MODULE_DIR})
# Like Debian's own packages: no compiler version notes in the program.
foreach(binary ${CMAKE_INSTALL_BINDIR}/kalvora ${KALVORA_MODULE_DIR}/kalvora-exact.so)
  install(CODE "execute_process(COMMAND ${CMAKE_OBJCOPY} --remove-section=.comment --remove-section=.note
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${binary}\" COMMAND_ERROR_IS_FATAL ANY)")
endforeach()
install(FILES assets/${KALVORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KALVORA_GENERATED}/${KALVORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KALVORA_GENERATED}/kalvora.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${KALVORA_GENERATED}/kalvora.ja.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1 RENAME kalvora.1.gz)
install(FILES assets/icons/kalvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KALVORA_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES assets/icons/kalvora-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KALVORA_APP_ID}.png)
endforeach()
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvora RENAME copyright)
install(FILES ${KALVORA_GENERATED}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvora)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvora)
set(CPACK_PACKAGE_VENDOR "The Kalvora developers")
set(CPACK_PACKAGE_CONTACT "${KALVORA_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for school mathematics with a Japanese interface")
# Lines of at most 80 characters, as Debian's tools show them.
set(CPACK_PACKAGE_DESCRIPTION "Kalvora offers nine calculators for school mathematics: greatest common
divisor, the sum of a cubic polynomial, the area of a triangle, quadratic,
cubic and quartic equations with complex coefficients, systems of linear
equations, determinants and inverse matrices. Numbers are typed into boxes
laid out like the written formula; the interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
# The shared libraries (Qt 6 Widgets among them) come from dpkg-shlibdeps; the
# Japanese font is needed at run time for the interface to be readable, and a
# TrueType one for the worked steps' PDF: Qt's PDF writer keeps the text of
# TrueType fonts only (with the OpenType Noto CJK, pdftotext loses digits).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic, fonts-ipafont-mincho")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fcitx5-frontend-qt6")
include(CPack)
