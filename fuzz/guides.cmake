kalvix_fuzzer(guides_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/guides_fuzz.cpp LIBS kalvix_core)
