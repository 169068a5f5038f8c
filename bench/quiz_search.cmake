# Keystroke-to-list time of the 答题器 page (bench/quiz_search.sh).
add_executable(bench_quiz_search ${CMAKE_CURRENT_LIST_DIR}/quiz_search.cpp)
target_link_libraries(bench_quiz_search PRIVATE kalvix_core project_flags)
