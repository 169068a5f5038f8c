kalvix_fuzzer(quiz_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/quiz_fuzz.cpp LIBS kalvix_core)
