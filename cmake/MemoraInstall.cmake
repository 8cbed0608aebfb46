# Installation and the Debian package.
#
#   cmake --install build --prefix /usr      (DESTDIR honoured)
#   make package                              (build/memora_<version>_amd64.deb)
#
# The program folder is <prefix>/lib/memora (memora, MlUpdate, odata/, images/); the
# trainer finds its installation data beside itself and keeps the learner's data in
# ~/.local/share/memora. <prefix>/bin/memora links to it.

set(MEMORA_INSTALL_PROGRAM_DIR lib/memora)
set(dist ${CMAKE_SOURCE_DIR}/dist)

install(TARGETS memora MlUpdate RUNTIME DESTINATION ${MEMORA_INSTALL_PROGRAM_DIR})
install(DIRECTORY ${MEMORA_BIN_DIR}/odata ${MEMORA_BIN_DIR}/images
    DESTINATION ${MEMORA_INSTALL_PROGRAM_DIR}
    FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# A relative link, so it holds under any prefix and inside DESTDIR.
set(memora_link ${CMAKE_BINARY_DIR}/install/memora)
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install)
file(CREATE_LINK ../${MEMORA_INSTALL_PROGRAM_DIR}/memora ${memora_link} SYMBOLIC)
install(FILES ${memora_link} DESTINATION bin)

# Desktop integration: the menu entry, the icon in three sizes, the AppStream metadata.
install(FILES ${dist}/memora.desktop DESTINATION share/applications)
set(icons ${CMAKE_BINARY_DIR}/icons)
set(icon_files)
foreach(size 48 128 256)
    list(APPEND icon_files ${icons}/hicolor/${size}x${size}/apps/memora.png)
    install(FILES ${icons}/hicolor/${size}x${size}/apps/memora.png
        DESTINATION share/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_command(OUTPUT ${icon_files}
    COMMAND memora_skin icons ${icons}
    DEPENDS memora_skin
    COMMENT "Drawing the desktop icon"
    VERBATIM)
add_custom_target(memora_icons ALL DEPENDS ${icon_files})
configure_file(${dist}/com.ferncove.memora.metainfo.xml
    ${CMAKE_BINARY_DIR}/install/com.ferncove.memora.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/install/com.ferncove.memora.metainfo.xml
    DESTINATION share/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${dist}/copyright DESTINATION share/doc/memora)

# --- Debian package ---------------------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME memora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Ferncove)
set(CPACK_PACKAGE_CONTACT "Memora developers <memora@ferncove.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vocabulary trainer for Chinese-speaking learners of English")
set(CPACK_PACKAGE_DESCRIPTION
    "Memora drills the words of a course on a spaced-repetition schedule, pronounces them,
imports Youdao word books and keeps one learning record per learner and course.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, so invisible to the library scan: the SQLite driver, the flite voices,
# the GStreamer plug-ins that play sound files, a font with Chinese characters, and the
# unzip program that unpacks downloaded courses.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, qt6-speech-flite-plugin, gstreamer1.0-plugins-good, fonts-noto-cjk, unzip")
include(CPack)
