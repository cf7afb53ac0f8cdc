# The server's handling of received datagrams, in process with every send captured.
cogmire_fuzz_target(fuzzServer cogmireServerLib ${CMAKE_CURRENT_SOURCE_DIR}/server.cpp)
