# The updater's list comparison on large update lists (Google Benchmark).
if(NOT TARGET upvarro_core)  # built with -DKALVIX_UPDATER=OFF
  return()
endif()
add_executable(bench_upvarro_compare ${CMAKE_CURRENT_LIST_DIR}/upvarro_compare.cpp)
target_link_libraries(bench_upvarro_compare PRIVATE upvarro_core benchmark::benchmark
                      project_flags)
