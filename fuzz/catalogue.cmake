# The catalogue's rune matcher and text fillers.
kalvix_fuzzer(catalogue_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/catalogue_fuzz.cpp LIBS kalvix_core)
