# SPDX-License-Identifier: GPL-3.0-or-later
# Installing and the Debian package.
#
# The program reads its manual, its sounds and its web pages from its own folder
# (QCoreApplication::applicationDirPath(), which follows symlinks), so the
# binary and its assets are installed together into <prefix>/lib/vantrell and
# <prefix>/bin/vantrell is a relative symlink to the binary there. The desktop
# entry, the icons and the AppStream metadata go where desktops look for them.
#
#   cmake --install build --prefix /usr/local
#   (cd build && cpack -G DEB)        -> build/vantrell_<version>_<arch>.deb

include(GNUInstallDirs)

set(VANTRELL_INSTALL_PROGRAMDIR "lib/vantrell" CACHE STRING
    "Folder, relative to the prefix, that holds the binary with its manual and sounds")
set(VANTRELL_APPSTREAM_ID "org.orvalin.vantrell")

set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(vantrell_packaging_dir ${PROJECT_SOURCE_DIR}/packaging)

# The binary and, beside it, the assets of assets/CMakeLists.txt's lists, the
# same the build copies beside it: the live feed's pages in web/, the match
# formats in formats/.
# Qt's project setup gives installed binaries an $ORIGIN run path; this folder
# holds no libraries, and the package takes Qt from the system.
set_target_properties(vantrell PROPERTIES INSTALL_RPATH "")
install(TARGETS vantrell RUNTIME DESTINATION ${VANTRELL_INSTALL_PROGRAMDIR})
install(FILES ${VANTRELL_ASSET_FILES} DESTINATION ${VANTRELL_INSTALL_PROGRAMDIR})
install(FILES ${VANTRELL_WEB_FILES} DESTINATION ${VANTRELL_INSTALL_PROGRAMDIR}/web)
install(FILES ${VANTRELL_FORMAT_FILES} DESTINATION ${VANTRELL_INSTALL_PROGRAMDIR}/formats)

# <prefix>/bin/vantrell -> ../lib/vantrell/vantrell. Made in the build tree and
# installed as a symlink, so it lands in the install manifest and the package.
file(RELATIVE_PATH vantrell_link_target
     /prefix/${CMAKE_INSTALL_BINDIR} /prefix/${VANTRELL_INSTALL_PROGRAMDIR}/vantrell)
set(vantrell_link ${CMAKE_BINARY_DIR}/packaging/vantrell)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/packaging)
file(REMOVE ${vantrell_link})
file(CREATE_LINK ${vantrell_link_target} ${vantrell_link} SYMBOLIC)
install(FILES ${vantrell_link} DESTINATION ${CMAKE_INSTALL_BINDIR})

# Menu entry, icons (the PNGs are rendered from assets/logo.svg with
# "rsvg-convert -w N -h N assets/logo.svg -o packaging/icons/NxN/vantrell.png")
# and AppStream metadata, named after its component id.
install(FILES ${vantrell_packaging_dir}/vantrell.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN ITEMS 16 32 48 64 128 256)
    install(FILES ${vantrell_packaging_dir}/icons/${size}x${size}/vantrell.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/assets/logo.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME vantrell.svg)
install(FILES ${vantrell_packaging_dir}/vantrell.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${VANTRELL_APPSTREAM_ID}.metainfo.xml)

# The Debian package.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "vantrell")
set(CPACK_PACKAGE_VENDOR "Vantrell developers")
set(CPACK_PACKAGE_CONTACT "Vantrell developers <vantrell@example.org>")
set(CPACK_PACKAGE_VERSION_MAJOR ${PROJECT_VERSION_MAJOR})
set(CPACK_PACKAGE_VERSION_MINOR ${PROJECT_VERSION_MINOR})
set(CPACK_PACKAGE_VERSION_PATCH ${PROJECT_VERSION_PATCH})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "scoreboard for paintball games")
set(CPACK_PACKAGE_DESCRIPTION
    "Vantrell is a desktop scoreboard for paintball games. One operator at a
keyboard runs it on a computer whose big monitor or projector the players and
spectators watch. The board shows large seven-segment LED figures for the game
clock, the shot clock, both scores and six penalty clocks, with the team names,
a goal indicator and penalty marks; the operator runs the clocks with single
keys and sounds the horn and the buzzer.")
set(CPACK_STRIP_FILES TRUE)
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)
# The libraries the binary links are found by dpkg-shlibdeps (dpkg-dev):
# among them libqt6gui6, which also ships the X11 (xcb) platform plugin, and
# libqt6multimedia6, which also ships Qt Multimedia's GStreamer and FFmpeg
# back ends.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What no linker sees, loaded or read at run time:
#   qt6-qpa-plugins: Qt's other platform plugins (libqt6gui6 recommends it);
#   GStreamer's base and good plugins: reading and playing WAV files;
#   libpulse0: the sound server's client library for Qt's audio output;
#   fonts-liberation: the board's captions are laid out for Arial metrics.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, gstreamer1.0-plugins-base, gstreamer1.0-plugins-good, libpulse0, fonts-liberation")

include(CPack)
