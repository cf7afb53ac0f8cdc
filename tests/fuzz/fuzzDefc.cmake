# The DEFc image decoder, fed arbitrary files.
cogmire_fuzz_target(fuzzDefc cogmireClient ${CMAKE_CURRENT_SOURCE_DIR}/fuzzDefc.cpp)
