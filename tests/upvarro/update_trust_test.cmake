cmake_minimum_required(VERSION 3.20)
# A build for a real update server needs the key of its signed lists: the configure step
# refuses one without it, and names the option that insists. Run as
# cmake -DMODULE=<src/upvarro/update_trust.cmake> -P update_trust_test.cmake
set(key "MCowBQYDK2VwAyEAAAAAAAAAAAAAAAAAAAAAAAAAAAAA")
# host; key; allow; refused
set(cases
  "updates.kalvix.org|||1"
  "updates.kalvix.org:8080|||1"
  "203.0.113.7|||1"
  "[2001:db8::1]:443|||1"
  "localhost.evil.org|||1"
  "updates.kalvix.org|${key}||0"
  "updates.kalvix.org||ON|0"
  "||0|0"
  "localhost|||0"
  "LOCALHOST:8080|||0"
  "127.0.0.1:8080|||0"
  "[::1]:80|||0"
  "update.portal.example|||0"
  "a.test|||0")
set(failures 0)
foreach(case IN LISTS cases)
  string(REPLACE "|" ";" fields "${case}")
  list(GET fields 0 host)
  list(GET fields 1 k)
  list(GET fields 2 allow)
  list(GET fields 3 refused)
  if(allow STREQUAL "")
    set(allow OFF)
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -DHOST=${host} -DKEY=${k} -DALLOW=${allow}
                          -P ${MODULE}
                  RESULT_VARIABLE result ERROR_VARIABLE err OUTPUT_QUIET)
  set(was 0)
  if(NOT result EQUAL 0)
    set(was 1)
  endif()
  if(NOT was EQUAL refused)
    message(SEND_ERROR "host '${host}' key '${k}' allow ${allow}: refused ${was}, expected ${refused}\n${err}")
    math(EXPR failures "${failures} + 1")
  elseif(refused AND NOT err MATCHES "KALVIX_ALLOW_UNSIGNED_UPDATES=ON")
    message(SEND_ERROR "host '${host}': the refusal does not name KALVIX_ALLOW_UNSIGNED_UPDATES=ON\n${err}")
    math(EXPR failures "${failures} + 1")
  endif()
endforeach()
list(LENGTH cases total)
math(EXPR passed "${total} - ${failures}")
message(STATUS "${passed} passed, ${failures} failed")
