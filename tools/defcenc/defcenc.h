// Writer of the "DEFc" compressed images that the client's atlases are stored in: LZ77
// matches in a 32 KiB window and dynamic Huffman codes, one block, most significant bit first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The whole file for the given bytes (for an atlas, RGBA texels row after row).
std::vector<uint8_t> defcEncode(const uint8_t *data, size_t length);

// Plain image files for looking at atlases: PAM (RGB_ALPHA) read and write.
bool defcPamWrite(const char *path, const uint8_t *rgba, int width, int height);
bool defcPamRead(const char *path, std::vector<uint8_t> &rgba, int &width, int &height);
bool defcFileWrite(const char *path, const std::vector<uint8_t> &bytes);
bool defcFileRead(const char *path, std::vector<uint8_t> &bytes);
