kalvix_fuzzer(simulator_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/simulator_fuzz.cpp LIBS kalvix_core)
