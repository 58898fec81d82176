# What `cmake --install` lays out, and the Debian package made from it.
# The programs look for their content in PREFIX/share/duskmaw, one folder
# up from their own (see EnterDataDirectory): games go to PREFIX/games as
# Debian places them.
set(DUSKMAW_CONTENT_DESTINATION share/duskmaw)
# Packagers set their own address; the changelog and the package carry it.
set(DUSKMAW_MAINTAINER "The Duskmaw developers <maintainers@duskmaw.org>"
    CACHE STRING "Maintainer named in the Debian package and its changelog")

install(TARGETS duskmaw duskmaw-editor duskmaw-check RUNTIME DESTINATION games)

# Made at build time so that they cannot fall behind their sources: the
# machine-readable copyright from LICENSE and data/LICENSES.md, the
# changelog and the manual pages compressed as Debian wants them.
set(package_docs ${PROJECT_BINARY_DIR}/package-docs)
set(man_pages duskmaw duskmaw-editor duskmaw-check)
set(package_doc_files ${package_docs}/copyright ${package_docs}/changelog.gz)
add_custom_command(
  OUTPUT ${package_docs}/copyright
  COMMAND python3 ${PROJECT_SOURCE_DIR}/tools/make-copyright ${PROJECT_SOURCE_DIR}/data/LICENSES.md
          ${PROJECT_SOURCE_DIR}/LICENSE ${PROJECT_SOURCE_DIR}/cmake/licenses ${package_docs}/copyright
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make-copyright ${PROJECT_SOURCE_DIR}/data/LICENSES.md
          ${PROJECT_SOURCE_DIR}/LICENSE
  VERBATIM)
configure_file(${PROJECT_SOURCE_DIR}/cmake/changelog.in ${package_docs}/changelog @ONLY)
add_custom_command(
  OUTPUT ${package_docs}/changelog.gz
  COMMAND gzip -9nc ${package_docs}/changelog > ${package_docs}/changelog.gz
  DEPENDS ${package_docs}/changelog)
foreach(page ${man_pages})
  add_custom_command(
    OUTPUT ${package_docs}/${page}.6.gz
    COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/man/${page}.6 > ${package_docs}/${page}.6.gz
    DEPENDS ${PROJECT_SOURCE_DIR}/docs/man/${page}.6)
  list(APPEND package_doc_files ${package_docs}/${page}.6.gz)
endforeach()
add_custom_target(package_docs ALL DEPENDS ${package_doc_files})
if(TARGET all_tests)
  add_dependencies(all_tests package_docs)
endif()

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
              ${package_docs}/copyright ${package_docs}/changelog.gz
        DESTINATION share/doc/duskmaw)
foreach(page ${man_pages})
  install(FILES ${package_docs}/${page}.6.gz DESTINATION share/man/man6)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/cmake/metainfo/org.duskmaw.duskmaw.metainfo.xml
              ${PROJECT_SOURCE_DIR}/cmake/metainfo/org.duskmaw.duskmaw_editor.metainfo.xml
        DESTINATION share/metainfo)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME duskmaw)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Duskmaw developers")
set(CPACK_PACKAGE_CONTACT "${DUSKMAW_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "top-down action role-playing game at dusk, with its map editor")
# One line each: the package's description lines stay within 80 columns.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Walk a ruined valley, cast elemental spells by combining four elements,\n"
    "and hold off waves of enemies. Includes the map editor that makes the\n"
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
