// Whole-file read and write of raw bytes, for the configuration file.
#pragma once

#include <cstdint>
#include <span>

// Reads the file at path into buffer: at most buffer.size() bytes, so a longer file is
// read in its first bytes only. Returns the file's size, or -1 when it is not a regular
// file, cannot be opened, or fewer bytes than expected could be read.
long fileRead(const char *path, std::span<uint8_t> buffer);
// Writes the bytes to the file at path, creating it or replacing it whole. Returns the
// count of bytes, or -1 with errno set when any step failed; the old file is then
// left exactly as it was.
long fileWrite(const char *path, std::span<const uint8_t> bytes);
