# Desktop integration and the Debian package. `cmake --install` puts the program, its manual
# page, its freedesktop menu entry, its icons in the hicolor theme (a PNG at each size and a
# scalable SVG), its AppStream description and its licence under the prefix (DESTDIR, when
# set, is put in front of it); `cpack` wraps the same files into a .deb for /usr.
include(GNUInstallDirs)

# The manual page, compressed as Debian keeps them: gzip at its best, without the file's
# name and time, so that the same page always gives the same bytes.
find_program(GZIP gzip REQUIRED)
set(manual_folder ${CMAKE_BINARY_DIR}/manual)
add_custom_command(
    OUTPUT ${manual_folder}/kalvetra.1.gz
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/docs/kalvetra.1 ${manual_folder}/kalvetra.1
    COMMAND ${GZIP} -9nf ${manual_folder}/kalvetra.1
    DEPENDS ${CMAKE_SOURCE_DIR}/docs/kalvetra.1
    COMMENT "Compressing the manual page"
    VERBATIM)
add_custom_target(manual-page ALL DEPENDS ${manual_folder}/kalvetra.1.gz)
install(FILES ${manual_folder}/kalvetra.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(desktop_folder ${CMAKE_SOURCE_DIR}/resources/desktop)
install(FILES ${desktop_folder}/kalvetra.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_folder}/org.qlx.kalvetra.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size ${KALVETRA_ICON_SIZES})
    install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/kalvetra-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME kalvetra.png)
endforeach()
install(FILES ${CMAKE_SOURCE_DIR}/resources/icons/kalvetra.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kalvetra
        RENAME copyright)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kalvetra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "[QLX]")
set(CPACK_PACKAGE_CONTACT "[QLX] <qlx@qlx.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calculator for the values of x86 machine code")
# Kept in lines of less than 80 characters, as Debian's package tools show them.
set(CPACK_PACKAGE_DESCRIPTION [[
Kalvetra works on 32-bit values written in hexadecimal and shows what the
x86 logical, shift, rotate and arithmetic instructions leave in a register,
converts a value between hexadecimal, binary, decimal and octal, and turns
hexadecimal byte pairs into text and back. Its user interface is Turkish.]])
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "[QLX] <qlx@qlx.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "http://www.qlx.example/")
# dpkg-shlibdeps names the packages of the linked libraries (SDL2, SDL2_ttf, fontconfig,
# Xlib, libwayland, xkbcommon, libdecor, the C++ runtime); the font that the program draws
# with is read at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
# xdg-open opens the About page's web address; with the libdecor plugin the program draws
# the title bar on Wayland compositors that leave window decorations to the program (GNOME's,
# weston).
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libdecor-0-plugin-1-cairo")
include(CPack)
