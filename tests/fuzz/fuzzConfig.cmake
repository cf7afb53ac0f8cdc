cogmire_fuzz_target(fuzzConfig cogmireClient ${CMAKE_CURRENT_SOURCE_DIR}/config.cpp)
