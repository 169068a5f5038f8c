# Every registered page, driven through its controls.
kalvix_fuzzer(page_model_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/page_model_fuzz.cpp LIBS kalvix_core)
