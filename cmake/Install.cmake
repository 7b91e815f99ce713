# Install rules and the Debian package.
#
#   cmake --install build --prefix P    P/bin/velmaro, P/share/velmaro/velmaro.rtf, the
#                                       example files in P/share/velmaro/ejemplos, the
#                                       desktop entry, the AppStream metainfo, the case
#                                       files' MIME type, the icons
#   cpack -G DEB (make package)         build/package/velmaro_<version>_<arch>.deb
include(GNUInstallDirs)

set(VELMARO_APP_ID io.github.velmaro.Velmaro)
set(VELMARO_DESKTOP_DIR ${PROJECT_SOURCE_DIR}/src/data/desktop)

install(TARGETS velmaro RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/velmaro.rtf DESTINATION ${CMAKE_INSTALL_DATADIR}/velmaro)
# A coefficient table and a small trial, where the file dialogs of "Datos de respuesta" open.
install(FILES ${PROJECT_SOURCE_DIR}/src/data/examples/tabla_ejemplo.csv
              ${PROJECT_SOURCE_DIR}/src/data/examples/ensayo_ejemplo.csv
        DESTINATION ${CMAKE_INSTALL_DATADIR}/velmaro/ejemplos)
install(FILES ${VELMARO_DESKTOP_DIR}/${VELMARO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${VELMARO_DESKTOP_DIR}/${VELMARO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The case files' type (*.velmaro), which the desktop entry opens.
install(FILES ${VELMARO_DESKTOP_DIR}/${VELMARO_APP_ID}.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
# Drawn by tools/picturegen (target velmaro_icons).
foreach(size 48 128 256)
  install(FILES ${VELMARO_DESKTOP_DIR}/icons/velmaro-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME ${VELMARO_APP_ID}.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmaro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Asesor de la fertilización nitrogenada del trigo (zona NEA)")
set(CPACK_PACKAGE_DESCRIPTION
    "Curvas de respuesta del trigo al nitrógeno para hasta tres escenarios, su análisis\neconómico y el margen bajo el puntero, para el noreste de la región pampeana.")
set(CPACK_PACKAGE_CONTACT "Velmaro <maintainers@users.noreply.github.com>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# The shared libraries the program links (Qt, QCustomPlot, the C++ runtime) are found
# by dpkg-shlibdeps, as their runtime packages; these are the ones it cannot see: the
# platform plugins, the fonts the windows are drawn with and Qt's Spanish texts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n")
include(CPack)
