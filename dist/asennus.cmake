# Installing like a Linux game: the real program in libexec, the data tree in
# share/hiekkatorni, and a launcher `hiekkatorni` in bin that runs the program
# from the player's own writable directory (see dist/hiekkatorni.sh.in), with
# a menu entry and icons beside them.
include(GNUInstallDirs)

# The application's id: the desktop entry is named after it.
set(HIEKKATORNI_TUNNUS fi.hiekkatorni.hiekkatorni)

set(HIEKKATORNI_DATA ${CMAKE_INSTALL_DATADIR}/hiekkatorni)
set(HIEKKATORNI_OHJELMAHAKEMISTO ${CMAKE_INSTALL_LIBEXECDIR}/hiekkatorni)
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
  add_dependencies(hiekkatorni_testit oletusasetukset)
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

foreach(koko 32 48 64 128 256)
  install(FILES dist/hiekkatorni-${koko}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${koko}x${koko}/apps
          RENAME hiekkatorni.png)
endforeach()
