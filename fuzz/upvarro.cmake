# The updater's parsers of outside input: the update list, the list files, upvarro.ini.
if(NOT TARGET upvarro_core)  # built with -DKALVIX_UPDATER=OFF
  return()
endif()
kalvix_fuzzer(upvarro_update_list_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_update_list_fuzzer.cpp
              LIBS upvarro_core)
kalvix_fuzzer(upvarro_list_file_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_list_file_fuzzer.cpp
              LIBS upvarro_core)
kalvix_fuzzer(upvarro_ini_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_ini_fuzzer.cpp
              LIBS upvarro_core)
# The command line, the name-to-address step and the settings' write and read.
kalvix_fuzzer(upvarro_command_line_fuzzer
              ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_command_line_fuzzer.cpp LIBS upvarro_core)
kalvix_fuzzer(upvarro_file_url_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_file_url_fuzzer.cpp
              LIBS upvarro_core)
kalvix_fuzzer(upvarro_settings_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_settings_fuzzer.cpp
              LIBS upvarro_core)
# The list's signature file.
kalvix_fuzzer(upvarro_signature_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_signature_fuzzer.cpp
              LIBS upvarro_core)
