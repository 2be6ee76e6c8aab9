# Installing like a Linux game: the real program in libexec, the data tree in
# share/hiekkatorni, and a launcher `hiekkatorni` in bin that runs the program
# from the player's own writable directory (see dist/hiekkatorni.sh.in); a
# menu entry, icons, software-centre metadata and a manual page beside them.
# `make deb` packages exactly this install with CPack.
include(GNUInstallDirs)

# The application's id: the desktop entry and the metadata are named after it.
set(HIEKKATORNI_TUNNUS fi.hiekkatorni.hiekkatorni)
# Where the README's screenshots (docs/kuvat/) are published; software centres
# fetch them from there.
set(HIEKKATORNI_KUVAOSOITE "https://hiekkatorni.example/kuvat"
    CACHE STRING "Web address of the published docs/kuvat/ directory")
set(HIEKKATORNI_YLLAPITAJA "Hiekkatorni maintainers <hiekkatorni@example.org>"
    CACHE STRING "The Debian package's maintainer")

# The game's data tree under the prefix; the Debian package keeps games' data
# in share/games as Debian's policy asks (and the launcher in games/).
set(HIEKKATORNI_DATA ${CMAKE_INSTALL_DATADIR}/hiekkatorni
    CACHE STRING "The game's data directory, relative to the install prefix")
set(HIEKKATORNI_OHJELMAHAKEMISTO ${CMAKE_INSTALL_LIBEXECDIR}/hiekkatorni)
set(HIEKKATORNI_DOC ${CMAKE_INSTALL_DATADIR}/doc/hiekkatorni)
set(ASENNETTAVAT ${CMAKE_CURRENT_BINARY_DIR}/asennettavat)

install(TARGETS hiekkatorni RUNTIME DESTINATION ${HIEKKATORNI_OHJELMAHAKEMISTO})
install(DIRECTORY levels/ DESTINATION ${HIEKKATORNI_DATA}/levels FILES_MATCHING PATTERN "*.map")
install(DIRECTORY media/ DESTINATION ${HIEKKATORNI_DATA}/media)

# The settings a first-time player starts with, written by the game's own
# settings writer (tools/tee_oletusasetukset.cpp). `make run` and the launcher
# copy it when the player has no settings file yet.
set(OLETUSASETUKSET ${CMAKE_CURRENT_BINARY_DIR}/oletusasetukset.conf)
add_custom_command(OUTPUT ${OLETUSASETUKSET}
                   COMMAND tee_oletusasetukset ${OLETUSASETUKSET}
                   DEPENDS tee_oletusasetukset
                   COMMENT "Default settings for a first run")
add_custom_target(oletusasetukset ALL DEPENDS ${OLETUSASETUKSET})
install(FILES ${OLETUSASETUKSET} DESTINATION ${HIEKKATORNI_DATA})
# The launcher tests install that very file and the whole build tree.
if(TARGET hiekkatorni_testit)
  add_dependencies(hiekkatorni_testit hiekkatorni oletusasetukset pakatut_ohjeet)
  target_compile_definitions(hiekkatorni_testit PRIVATE
    HIEKKATORNI_OLETUSASETUKSET="${OLETUSASETUKSET}"
    HIEKKATORNI_RAKENNUS="${CMAKE_CURRENT_BINARY_DIR}" HIEKKATORNI_CMAKE="${CMAKE_COMMAND}")
endif()

# The launcher finds the prefix from its own place, so paths are relative.
file(RELATIVE_PATH ETULIITTEESEEN /${CMAKE_INSTALL_BINDIR} /)
set(DATAHAKEMISTO ${HIEKKATORNI_DATA})
set(OHJELMA ${HIEKKATORNI_OHJELMAHAKEMISTO}/hiekkatorni)
configure_file(dist/hiekkatorni.sh.in ${CMAKE_CURRENT_BINARY_DIR}/hiekkatorni.sh @ONLY)
install(PROGRAMS ${CMAKE_CURRENT_BINARY_DIR}/hiekkatorni.sh DESTINATION ${CMAKE_INSTALL_BINDIR}
        RENAME hiekkatorni)

# The menu entry names the launcher by its absolute path, so an install under
# a prefix outside PATH (/opt/hiekkatorni) starts from the menu. The prefix is
# known only when installing (`cmake --install --prefix` can change it), so the
# entry is made from its template then.
install(CODE "
  set(LAHDE \"${CMAKE_CURRENT_SOURCE_DIR}/dist/hiekkatorni.desktop.in\")
  set(VALI \"${ASENNETTAVAT}/${HIEKKATORNI_TUNNUS}.desktop\")
  set(KAYNNISTIN \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/hiekkatorni\")
  set(KOHDE \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications\")
  include(\"${CMAKE_CURRENT_SOURCE_DIR}/dist/tyopoytatiedosto.cmake\")
")

configure_file(dist/hiekkatorni.metainfo.xml.in
               ${ASENNETTAVAT}/${HIEKKATORNI_TUNNUS}.metainfo.xml @ONLY)
install(FILES ${ASENNETTAVAT}/${HIEKKATORNI_TUNNUS}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(koko 32 48 64 128 256)
  install(FILES dist/hiekkatorni-${koko}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${koko}x${koko}/apps
          RENAME hiekkatorni.png)
endforeach()

# The manual page and the package's changelog are stored compressed, as
# Debian expects; `gzip -n` keeps the bytes the same from build to build.
execute_process(COMMAND date -u -R -d "${HIEKKATORNI_JULKAISUPAIVA} 12:00"
                OUTPUT_VARIABLE HIEKKATORNI_JULKAISUAIKA OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(dist/hiekkatorni.6.in ${ASENNETTAVAT}/hiekkatorni.6 @ONLY)
configure_file(dist/changelog.in ${ASENNETTAVAT}/changelog @ONLY)
foreach(tiedosto hiekkatorni.6 changelog)
  add_custom_command(OUTPUT ${ASENNETTAVAT}/${tiedosto}.gz
                     COMMAND gzip -9 -n -c ${tiedosto} > ${tiedosto}.gz
                     DEPENDS ${ASENNETTAVAT}/${tiedosto}
                     WORKING_DIRECTORY ${ASENNETTAVAT})
  list(APPEND PAKATUT ${ASENNETTAVAT}/${tiedosto}.gz)
endforeach()
add_custom_target(pakatut_ohjeet ALL DEPENDS ${PAKATUT})
install(FILES ${ASENNETTAVAT}/hiekkatorni.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES dist/copyright ${ASENNETTAVAT}/changelog.gz DESTINATION ${HIEKKATORNI_DOC})
# Why lintian's remaining remark does not apply (README, "The Debian package").
install(FILES dist/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME hiekkatorni)

# `make deb`: the same install as a Debian package under /usr. The library
# dependencies come from the program itself through dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hiekkatorni)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "${HIEKKATORNI_YLLAPITAJA}")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "platform game: climb the floating sand platforms of six timed levels
A short story sends the hero into the desert, where everything has been
turned to sand and lifted into the air as floating platforms. Climb the
platforms through six timed levels, then type your name into the
nine-entry high-score list.
.
The settings and high scores are kept per player under
~/.local/share/hiekkatorni.")
include(CPack)
