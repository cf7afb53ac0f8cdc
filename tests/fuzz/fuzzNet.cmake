# The client's reading of received datagrams: names, slots, drops and unit updates.
cogmire_fuzz_target(fuzzNet cogmireClient ${CMAKE_CURRENT_SOURCE_DIR}/net.cpp)
