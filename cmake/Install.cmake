# What `cmake --install` lays out, and the Debian package made from it.
# The programs look for their content in PREFIX/share/duskmaw beside
# PREFIX/bin (see EnterDataDirectory), so these two places are fixed.
set(DUSKMAW_CONTENT_DESTINATION share/duskmaw)

install(TARGETS duskmaw duskmaw-editor duskmaw-check RUNTIME DESTINATION bin)

# The content folder as shipped; what the programs leave in a working
# copy (the log, editor recovery and half-written saves) stays behind.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${DUSKMAW_CONTENT_DESTINATION}
        PATTERN "log.txt" EXCLUDE
        PATTERN "*.recovery" EXCLUDE
        PATTERN "*.saving" EXCLUDE
        PATTERN "fx[0-9]*" EXCLUDE)

install(FILES ${PROJECT_SOURCE_DIR}/cmake/desktop/duskmaw.desktop
              ${PROJECT_SOURCE_DIR}/cmake/desktop/duskmaw-editor.desktop
        DESTINATION share/applications)
foreach(size 48 128 256)
  foreach(program duskmaw duskmaw-editor)
    install(FILES ${PROJECT_SOURCE_DIR}/cmake/icons/${program}-${size}.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME ${program}.png)
  endforeach()
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/data/LICENSES.md
        DESTINATION share/doc/duskmaw)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME duskmaw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Duskmaw developers")
set(CPACK_PACKAGE_CONTACT "The Duskmaw developers <duskmaw@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Top-down action role-playing game at dusk, with its map editor")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Walk a ruined valley, cast elemental spells by combining four elements, "
    "and hold off waves of enemies. Includes the map editor that makes the "
    "game's levels and a checker for content folders.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
# The shared libraries' packages are read off the programs themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The file dialogs use one of these when present, else the editor's own chooser.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "zenity | kdialog")
set(CPACK_STRIP_FILES ON)
include(CPack)
