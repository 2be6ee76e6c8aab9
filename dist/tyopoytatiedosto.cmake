# Run at install time (see dist/asennus.cmake): makes the menu entry from its
# template with the launcher's absolute installed path in Exec, and installs it.
#   LAHDE       the template (dist/hiekkatorni.desktop.in)
#   VALI        where the finished entry is written before installing
#   KAYNNISTIN  the launcher's absolute installed path
#   KOHDE       the applications directory it goes to

# Exec is split like a shell word list: a path of plain characters is written
# as it is, any other is double-quoted with ", `, $ and \ escaped. The entry's
# string rules then double each backslash, and % is doubled as a field code.
if(KAYNNISTIN MATCHES "^[A-Za-z0-9/._+-]+$")
  set(EXEC "${KAYNNISTIN}")
else()
  string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" EXEC "${KAYNNISTIN}")
  set(EXEC "\"${EXEC}\"")
  string(REPLACE "\\" "\\\\" EXEC "${EXEC}")
endif()
string(REPLACE "%" "%%" EXEC "${EXEC}")
configure_file("${LAHDE}" "${VALI}" @ONLY)
file(INSTALL DESTINATION "${KOHDE}" TYPE FILE FILES "${VALI}")
