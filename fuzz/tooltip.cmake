kalvix_fuzzer(tooltip_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/tooltip_fuzz.cpp LIBS kalvix_core)
