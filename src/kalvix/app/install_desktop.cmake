# Run by cmake --install: the toolbox's menu entry, icons, AppStream metadata and manual pages,
# under share/ of a system installation (KALVIX_LAYOUT SYSTEM), where the desktop and man look
# for them. KALVIX_DESKTOP_INTEGRATION ON installs them with any layout, OFF never.
if(KALVIX_DESKTOP_INTEGRATION STREQUAL "OFF"
   OR (NOT KALVIX_DESKTOP_INTEGRATION STREQUAL "ON" AND NOT KALVIX_LAYOUT STREQUAL "SYSTEM"))
  return()
endif()

# The menu entry names the installed toolbox by its full path: in Exec quoted as one argument
# (a backslash before each backslash, " ` and $, then every backslash doubled again as the
# file's strings want, % as %%), in TryExec plain.
cmake_path(SET program NORMALIZE "${CMAKE_INSTALL_PREFIX}/${KALVIX_BIN_DIR}/kalvix")
string(REPLACE "\\" "\\\\\\\\" exec "${program}")
string(REPLACE "\"" "\\\\\"" exec "${exec}")
string(REPLACE "`" "\\\\`" exec "${exec}")
string(REPLACE "$" "\\\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" try "${program}")
file(READ "${KALVIX_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@KALVIX_EXEC@\"" "${exec}\"" entry "${entry}")
string(REPLACE "@KALVIX_EXEC@" "${try}" entry "${entry}")
# Written beside the build under a name of this run's own: installs may run side by side.
string(RANDOM LENGTH 12 run)
set(staging "${KALVIX_DESKTOP_STAGING}/desktop-${run}")
file(WRITE "${staging}/kalvix.desktop" "${entry}")
file(INSTALL "${staging}/kalvix.desktop" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
file(REMOVE_RECURSE "${staging}")
file(INSTALL "${KALVIX_ICON_FOLDER}/" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor")
# Build files open with the toolbox.
file(INSTALL "${KALVIX_MIME_PACKAGE}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/mime/packages")
# What software centres show (AppStream), checked by appstreamcli validate.
file(INSTALL "${KALVIX_METAINFO}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/metainfo")
# One page for each program installed beside the toolbox.
file(INSTALL ${KALVIX_MAN_PAGES} DESTINATION "${CMAKE_INSTALL_PREFIX}/share/man/man1")
