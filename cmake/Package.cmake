# The Debian package: `cpack -G DEB` in a release build folder gives
# scalio_<version>_<arch>.deb, the install layout of cmake/Install.cmake under
# /usr. The library dependencies are read off the binary (dpkg-shlibdeps);
# what the program needs at run time beyond them is named here.
set(CPACK_PACKAGE_NAME scalio)
set(CPACK_PACKAGE_VENDOR Vendra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Scalio team <team@vendra.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://scalio.vendra.example/")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# xdg-open hands help pages, web links and mails to the desktop; fonts-wine
# has the Tahoma-compatible face the ruler's numbers are drawn in
# (QtTextRasterizer), when the system has no Tahoma of its own; libcurl.so.4
# is loaded only for the update check (CurlHttpClient), so dpkg-shlibdeps
# cannot see it in the binary; 7.84 sets itself up safely on any thread.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "xdg-utils, fonts-wine, libcurl4 (>= 7.84.0)")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "on-screen ruler to measure anything on the screen")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION [=[
Scalio shows a ruler on the desktop: a partly transparent strip that stays
on top of every window and that you drag over anything on the screen to
measure it, in pixels, centimetres, inches or a unit of your own (such as
kilometres on a map of a given scale), at the print resolution you choose.

Two magnifiers with crosshair targets measure from point to point: the
horizontal and vertical offsets, the distance and the angle. An information
line shows the pointer's co-ordinates and the colour of the pixel under it.
The ruler turns vertical, comes in sixteen colour schemes and works on the
monitor you pick. The interface is in English and German.

Scalio needs an X11 display; on a Wayland session it runs through XWayland.]=])

# Two touches to the staged tree before it is packed, as Debian's own tools
# give them: the binary loses the compiler's .comment and .note sections too
# (the plain strip above keeps them), and lintian learns that the help pages
# in /usr/share/scalio are the program's data, opened by F1, not
# documentation for /usr/share/doc.
set(CPACK_SCALIO_STRIP ${CMAKE_STRIP})
set(SCALIO_STAGE_SCRIPT ${CMAKE_BINARY_DIR}/ScalioPackageStage.cmake)
file(CONFIGURE OUTPUT ${SCALIO_STAGE_SCRIPT} @ONLY CONTENT [=[
set(root "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
execute_process(
  COMMAND "${CPACK_SCALIO_STRIP}" --remove-section=.comment --remove-section=.note --strip-unneeded
          "${root}/bin/scalio"
  COMMAND_ERROR_IS_FATAL ANY)
file(WRITE "${root}/share/lintian/overrides/scalio"
  "# The help pages are data the program opens (F1, the dialogs' Help buttons)\n"
  "# from ../share/scalio/help beside its binary.\n"
  "scalio: package-contains-documentation-outside-usr-share-doc [usr/share/scalio/help/*]\n")
]=])
set(CPACK_PRE_BUILD_SCRIPTS ${SCALIO_STAGE_SCRIPT})

include(CPack)
