// Decoder of the "DEFc" compressed images of the texture atlases: one LZ77 block with
// dynamic Huffman codes, read most significant bit first.
#pragma once

#include <cstddef>
#include <cstdint>

// One node of a decoding tree; children are pool indices, -1 when missing.
struct DefcNode {
    int32_t left;
    int32_t right;
    int32_t symbol; // -1 on every node that is not a leaf
};

constexpr int defcPoolSize = 1024;
// The largest code-length alphabet that can be used in full: lengths 0 to 31 and the
// three run symbols.
constexpr int defcMaxCodeLengthSymbols = 35;
constexpr int defcMaxCodeLength = 31;

enum DefcResult {
    defcOk = 0,   // the image is decoded
    defcBadMagic, // not a "DEFc" file: nothing was written
    defcDamaged,  // the file broke a limit of the format: the image is partly written
};

// Decodes the whole file of sourceLength bytes into destination, writing at most capacity
// bytes; *written (may be null) receives the number of bytes produced.
DefcResult defcDecode(const uint8_t *source, size_t sourceLength, uint8_t *destination,
                      size_t capacity, size_t *written = nullptr);

// Canonical code assignment: codes of the n symbols from their lengths (each 0 to 31);
// symbols of length 0 keep their entry. Returns false when a length is out of range.
bool defcCodesAssign(int n, const int32_t *lengths, int32_t *codes);
// Builds a tree in the node pool from defcNodeCount on; false when the pool runs out.
bool defcTreeBuild(int32_t *root, const int32_t *codes, const int32_t *lengths, int n);

extern DefcNode defcNodes[defcPoolSize];
extern int defcNodeCount;
