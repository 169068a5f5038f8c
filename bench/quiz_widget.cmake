# Keystroke-to-painted-list time of the 答题器 widget, and its SQLite FTS5 peer
# (bench/quiz_widget.sh). The peer links the system SQLite, which must never share a binary
# with the toolbox's SQLCipher.
add_executable(bench_quiz_widget ${CMAKE_CURRENT_LIST_DIR}/quiz_widget.cpp)
target_link_libraries(bench_quiz_widget PRIVATE kalvix_gui project_flags)
find_package(SQLite3 REQUIRED)
add_executable(bench_quiz_fts5 ${CMAKE_CURRENT_LIST_DIR}/quiz_fts5.cpp)
target_link_libraries(bench_quiz_fts5 PRIVATE SQLite::SQLite3 project_flags)
