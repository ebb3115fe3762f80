# Installing: the usual layout of a Linux program under CMAKE_INSTALL_PREFIX.
#
#   bin/scalio
#   share/scalio/Languages/, share/scalio/help/
#   share/applications/example.vendra.scalio.desktop
#   share/metainfo/example.vendra.scalio.metainfo.xml
#   share/icons/hicolor/{scalable,48x48,256x256}/apps/example.vendra.scalio.*
#   share/man/man1/scalio.1.gz
#   share/doc/scalio/copyright, changelog.gz
#
# bin and share are fixed rather than GNUInstallDirs' variables: the binary
# finds its data by one relative path, ../share/scalio (kInstalledDataFolder
# in src/settings/DataLocation.h), and a moved bin or data folder would lose it.
#
# One id names the desktop entry, the AppStream component and the icon, so
# that software centres and menus tie the three together.
set(SCALIO_APP_ID example.vendra.scalio)
set(SCALIO_DATA ${PROJECT_SOURCE_DIR}/data)

install(TARGETS scalio RUNTIME DESTINATION bin)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/Languages ${PROJECT_SOURCE_DIR}/help DESTINATION share/scalio)

install(FILES ${SCALIO_DATA}/${SCALIO_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${SCALIO_DATA}/${SCALIO_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${SCALIO_DATA}/icons/${SCALIO_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
# The PNGs are rendered from the SVG by scripts/make-icons and kept in the
# repository, so that the build needs no SVG renderer.
foreach(size 48x48 256x256)
  install(FILES ${SCALIO_DATA}/icons/${size}/${SCALIO_APP_ID}.png DESTINATION share/icons/hicolor/${size}/apps)
endforeach()

# The manual page and the changelog are installed compressed, as Debian's
# policy has them; gzip -n leaves out the name and time, so that two builds of
# the same sources give the same bytes.
find_program(SCALIO_GZIP gzip REQUIRED)
set(SCALIO_DOC_BUILD ${CMAKE_BINARY_DIR}/doc)
configure_file(${SCALIO_DATA}/scalio.1.in ${SCALIO_DOC_BUILD}/scalio.1 @ONLY)
add_custom_command(
  OUTPUT ${SCALIO_DOC_BUILD}/scalio.1.gz
  COMMAND ${SCALIO_GZIP} -9nf -k ${SCALIO_DOC_BUILD}/scalio.1
  DEPENDS ${SCALIO_DOC_BUILD}/scalio.1
  COMMENT "Compressing the manual page")
add_custom_command(
  OUTPUT ${SCALIO_DOC_BUILD}/changelog.gz
  COMMAND ${SCALIO_GZIP} -9n -c ${SCALIO_DATA}/debian/changelog > ${SCALIO_DOC_BUILD}/changelog.gz
  DEPENDS ${SCALIO_DATA}/debian/changelog
  COMMENT "Compressing the changelog")
add_custom_target(scalio_docs ALL DEPENDS ${SCALIO_DOC_BUILD}/scalio.1.gz ${SCALIO_DOC_BUILD}/changelog.gz)

install(FILES ${SCALIO_DOC_BUILD}/scalio.1.gz DESTINATION share/man/man1)
install(FILES ${SCALIO_DATA}/debian/copyright ${SCALIO_DOC_BUILD}/changelog.gz DESTINATION share/doc/scalio)
