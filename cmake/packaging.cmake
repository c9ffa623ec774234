# SPDX-License-Identifier: MIT
# Installation into the usual places and a Debian package built with CPack.
include(GNUInstallDirs)

set(KALVORA_APP_ID org.kalvora.Kalvora)
install(TARGETS kalvora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES assets/${KALVORA_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES assets/${KALVORA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES assets/icons/kalvora.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${KALVORA_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES assets/icons/kalvora-${size}.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${KALVORA_APP_ID}.png)
endforeach()
install(FILES LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvora RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvora)
set(CPACK_PACKAGE_VENDOR "The Kalvora developers")
set(CPACK_PACKAGE_CONTACT "The Kalvora developers <kalvora@users.noreply.kalvora.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for school mathematics with a Japanese interface")
set(CPACK_PACKAGE_DESCRIPTION "Kalvora offers nine calculators for school mathematics: greatest common divisor,
the sum of a cubic polynomial, the area of a triangle, quadratic, cubic and quartic equations with complex
coefficients, systems of linear equations, determinants and inverse matrices. Numbers are typed into boxes
laid out like the written formula; the interface is in Japanese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION math)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://kalvora.org")
# The shared libraries (Qt 6 Widgets among them) come from dpkg-shlibdeps; the
# Japanese font is needed at run time for the interface to be readable.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk | fonts-ipafont-gothic | fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "fcitx5-frontend-qt6")
include(CPack)
