# upvarro-publish: its rules file, and the names it writes into lists.
if(NOT TARGET upvarro_publish)  # built with -DKALVIX_UPDATER=OFF
  return()
endif()
kalvix_fuzzer(publish_rules_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/publish_rules_fuzz.cpp
              LIBS upvarro_publish)
