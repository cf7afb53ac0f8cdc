// Whole-file read and write through standard buffered streams.
#include "core/file.h"

#include <algorithm>
#include <cstdio>

long fileRead(const char *path, std::span<uint8_t> buffer) {
    FILE *f = fopen(path, "rb");
    if (!f) return -1;
    long size = -1;
    if (fseek(f, 0, SEEK_END) == 0) size = ftell(f);
    if (size >= 0 && fseek(f, 0, SEEK_SET) == 0) {
        // The size is the file's, but never more than the buffer holds is read into it.
        size_t want = std::min(size_t(size), buffer.size());
        // A short read (a directory, a file cut while reading) would leave stale bytes
        // that look like the file's: report it as unreadable.
        if (want > 0 && fread(buffer.data(), 1, want, f) != want) size = -1;
    } else {
        size = -1;
    }
    fclose(f);
    return size;
}

long fileWrite(const char *path, std::span<const uint8_t> bytes) {
    FILE *f = fopen(path, "wb");
    if (!f) return -1;
    if (!bytes.empty()) fwrite(bytes.data(), 1, bytes.size(), f);
    fclose(f);
    return long(bytes.size());
}
