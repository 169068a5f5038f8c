# Run by cmake --install: the toolbox's menu entry and icons, under share/ of a system prefix
# (/usr, /usr/local), where the desktop looks for them. KALVIX_DESKTOP_INTEGRATION ON installs
# them under any prefix, OFF never.
set(system_prefix FALSE)
if(CMAKE_INSTALL_PREFIX MATCHES "^/usr(/local)?/*$")
  set(system_prefix TRUE)
endif()
if(KALVIX_DESKTOP_INTEGRATION STREQUAL "OFF"
   OR (NOT KALVIX_DESKTOP_INTEGRATION STREQUAL "ON" AND NOT system_prefix))
  return()
endif()

# The menu entry names the installed toolbox by its full path: in Exec quoted as one argument
# (a backslash before each backslash, " ` and $, then every backslash doubled again as the
# file's strings want, % as %%), in TryExec plain.
set(program "${CMAKE_INSTALL_PREFIX}/kalvix")
string(REPLACE "\\" "\\\\\\\\" exec "${program}")
string(REPLACE "\"" "\\\\\"" exec "${exec}")
string(REPLACE "`" "\\\\`" exec "${exec}")
string(REPLACE "$" "\\\\$" exec "${exec}")
string(REPLACE "%" "%%" exec "${exec}")
string(REPLACE "\\" "\\\\" try "${program}")
file(READ "${KALVIX_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@KALVIX_EXEC@\"" "${exec}\"" entry "${entry}")
string(REPLACE "@KALVIX_EXEC@" "${try}" entry "${entry}")
file(WRITE "${KALVIX_DESKTOP_STAGING}/kalvix.desktop" "${entry}")
file(INSTALL "${KALVIX_DESKTOP_STAGING}/kalvix.desktop"
     DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications")
file(INSTALL "${KALVIX_ICON_FOLDER}/" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor")
# Build files open with the toolbox.
file(INSTALL "${KALVIX_MIME_PACKAGE}" DESTINATION "${CMAKE_INSTALL_PREFIX}/share/mime/packages")
