# The updater's parsers of outside input: the update list, the list files, upvarro.ini.
kalvix_fuzzer(upvarro_update_list_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_update_list_fuzzer.cpp
              LIBS upvarro_core)
kalvix_fuzzer(upvarro_list_file_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_list_file_fuzzer.cpp
              LIBS upvarro_core)
kalvix_fuzzer(upvarro_ini_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/upvarro_ini_fuzzer.cpp
              LIBS upvarro_core)
