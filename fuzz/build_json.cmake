# kalvix-calc's build JSON: `build encode`, `build new field=value`, decode then encode.
kalvix_fuzzer(build_json_fuzz ${CMAKE_CURRENT_SOURCE_DIR}/build_json_fuzz.cpp
              SOURCES ${CMAKE_SOURCE_DIR}/src/kalvix/cli/build_json.cpp
              LIBS kalvix_core nlohmann_json::nlohmann_json)
