// libFuzzer entry for the DEFc decoder: any bytes as a file, decoded into a destination of
// a size taken from the last byte, so that both the source and the output limits are met.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "video/defc.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The last byte picks the destination: one whole atlas, or a small one that the
    // output limit is met in.
    size_t capacity = 0;
    if (size > 0) capacity = data[size - 1] < 128 ? 512 * 512 * 4 : (data[size - 1] - 128) * 256u;
    // Exactly sized copies, so that one byte read or written past either is caught.
    std::vector<uint8_t> file(data, data + size);
    // Left uninitialised: filling a whole atlas each run would slow the fuzzer down.
    std::unique_ptr<uint8_t[]> out(new uint8_t[capacity > 0 ? capacity : 1]);
    size_t written = 0;
    defcDecode(file.data(), file.size(), out.get(), capacity, &written);
    if (written > capacity) __builtin_trap();
    return 0;
}
