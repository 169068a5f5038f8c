# A build for a real update server installs only signed lists: configured with an update host
# that is not empty, not a loopback name and not a name reserved for examples and tests, and
# without KALVIX_UPDATE_PUBKEY, it is refused unless KALVIX_ALLOW_UNSIGNED_UPDATES is ON.
#
# Also a script: cmake -DHOST=... -DKEY=... -DALLOW=ON|OFF -P update_trust.cmake

# upvarro_is_local_host(<host or host:port> <result>)
function(upvarro_is_local_host host result)
  string(TOLOWER "${host}" h)
  if(h MATCHES "^\\[([^]]*)\\](:[0-9]+)?$")
    set(name "${CMAKE_MATCH_1}")
  elseif(h MATCHES "^([^:]*)(:[0-9]+)?$")
    set(name "${CMAKE_MATCH_1}")
  else()
    set(name "${h}")  # an IPv6 address without brackets
  endif()
  set(local FALSE)
  if(name STREQUAL "" OR name STREQUAL "::1" OR name MATCHES "^127\\.[0-9]+\\.[0-9]+\\.[0-9]+$"
     OR name MATCHES "(^|\\.)(localhost|example|invalid|test)$")
    set(local TRUE)
  endif()
  set(${result} ${local} PARENT_SCOPE)
endfunction()

# upvarro_check_update_trust(<host> <key> <allow>)
function(upvarro_check_update_trust host key allow)
  upvarro_is_local_host("${host}" local)
  if(NOT local AND key STREQUAL "" AND NOT allow)
    message(FATAL_ERROR
      "KALVIX_UPDATE_HOST is '${host}', a real update server, but KALVIX_UPDATE_PUBKEY is empty: "
      "the updater would install whatever that server, or anyone between it and the players, "
      "hands out. Give the public key of the release signatures (upvarro-publish --new-key "
      "writes update.pub), or configure with -DKALVIX_ALLOW_UNSIGNED_UPDATES=ON to insist on "
      "unsigned updates.")
  endif()
endfunction()

if(CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  upvarro_check_update_trust("${HOST}" "${KEY}" "${ALLOW}")
endif()
