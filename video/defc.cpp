// Decoder of the "DEFc" images: header, the code-length alphabet, the 316 literal/length
// and distance code lengths, then one LZ77 block up to the end symbol 256. Every read of
// the source and every write of the destination is checked against its length.
#include "video/defc.h"

#include <cstring>

DefcNode defcNodes[defcPoolSize];
int defcNodeCount = 0;

static int32_t defcCodeLengthRoot = -1;
static int32_t defcLiteralRoot = -1;
static int32_t defcDistanceRoot = -1;

static constexpr int defcLiteralSymbols = 286;
static constexpr int defcDistanceSymbols = 30;
static constexpr int defcAllLengths = defcLiteralSymbols + defcDistanceSymbols;

static int32_t defcLiteralLengths[defcLiteralSymbols];
static int32_t defcLiteralCodes[defcLiteralSymbols];
static int32_t defcDistanceLengths[defcDistanceSymbols];
static int32_t defcDistanceCodes[defcDistanceSymbols];
static int32_t defcCodeLengthLengths[defcMaxCodeLengthSymbols];
static int32_t defcCodeLengthCodes[defcMaxCodeLengthSymbols];

static int32_t defcLengthCounts[32];
static uint32_t defcNextCodes[33];

// Base lengths and extra bits of the match symbols 257 to 285 (as in DEFLATE).
static constexpr uint16_t defcLengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                67, 83, 99, 115, 131, 163, 195, 227, 258};
static constexpr uint8_t defcLengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
// Base distances and extra bits of the distance symbols 0 to 29.
static constexpr uint16_t defcDistanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
static constexpr uint8_t defcDistanceExtra[30] = {0, 0, 0,  0,  1,  1,  2,  2,  3,  3,
                                                  4, 4, 5,  5,  6,  6,  7,  7,  8,  8,
                                                  9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

bool defcCodesAssign(int n, const int32_t *lengths, int32_t *codes) {
    for (int i = 0; i < n; i++)
        if (lengths[i] < 0 || lengths[i] > defcMaxCodeLength) return false;
    memset(defcLengthCounts, 0, sizeof defcLengthCounts);
    for (int i = 0; i < n; i++)
        defcLengthCounts[lengths[i]]++;
    defcLengthCounts[0] = 0;
    // Unsigned arithmetic: an over-full set of lengths wraps instead of overflowing; its
    // codes then collide, which the tree tolerates.
    uint32_t code = 0;
    for (int len = 1; len <= 32; len++) {
        code = (code + uint32_t(defcLengthCounts[len - 1])) << 1;
        defcNextCodes[len] = code;
    }
    for (int i = 0; i < n; i++) {
        int len = lengths[i];
        if (len != 0) codes[i] = int32_t(defcNextCodes[len]++);
    }
    return true;
}

static int32_t defcNodeNew() {
    if (defcNodeCount >= defcPoolSize) return -1;
    DefcNode &node = defcNodes[defcNodeCount];
    node.left = -1;
    node.right = -1;
    node.symbol = -1;
    return defcNodeCount++;
}

bool defcTreeBuild(int32_t *root, const int32_t *codes, const int32_t *lengths, int n) {
    *root = defcNodeNew();
    if (*root < 0) return false;
    for (int i = 0; i < n; i++) {
        int len = lengths[i];
        if (len <= 0) continue;
        if (len > defcMaxCodeLength) return false;
        int32_t node = *root;
        for (int bit = len - 1; bit >= 0; bit--) {
            bool one = (uint32_t(codes[i]) >> bit) & 1;
            int32_t next = one ? defcNodes[node].right : defcNodes[node].left;
            if (next < 0) {
                next = defcNodeNew();
                if (next < 0) return false;
                if (one)
                    defcNodes[node].right = next;
                else
                    defcNodes[node].left = next;
            }
            node = next;
        }
        defcNodes[node].symbol = i;
    }
    return true;
}

namespace {

// Reads the bit stream from bit 7 of each byte down; reading past the end sets failed.
struct DefcBits {
    const uint8_t *data;
    size_t length;
    size_t byte;
    int bit;
    bool failed;

    int read() {
        if (byte >= length) {
            failed = true;
            return 0;
        }
        int b = (data[byte] >> bit) & 1;
        if (--bit < 0) {
            bit = 7;
            byte++;
        }
        return b;
    }
    // A number of count bits, most significant first.
    uint32_t number(int count) {
        uint32_t value = 0;
        for (int i = 0; i < count; i++)
            value = (value << 1) | uint32_t(read());
        return value;
    }
    // One symbol by walking the tree; -1 on a missing child or the end of the source.
    int32_t symbol(int32_t root) {
        int32_t node = root;
        while (defcNodes[node].symbol < 0) {
            int b = read();
            if (failed) return -1;
            node = b ? defcNodes[node].right : defcNodes[node].left;
            if (node < 0) return -1;
        }
        return defcNodes[node].symbol;
    }
};

} // namespace

// Stores one code length at position i of the 316 that the two alphabets take in turn.
static void defcLengthStore(int i, int32_t length) {
    if (i < defcLiteralSymbols)
        defcLiteralLengths[i] = length;
    else
        defcDistanceLengths[i - defcLiteralSymbols] = length;
}

DefcResult defcDecode(const uint8_t *source, size_t sourceLength, uint8_t *destination,
                      size_t capacity, size_t *written) {
    if (written) *written = 0;
    if (sourceLength < 4 || memcmp(source, "DEFc", 4) != 0) return defcBadMagic;
    if (sourceLength < 9) return defcDamaged;
    // Bytes 4 to 7 hold the decoded size as the writer saw it; nothing relies on it.
    int n = source[8];
    if (n > defcMaxCodeLengthSymbols) return defcDamaged;

    DefcBits bits{source, sourceLength, 9, 7, false};
    int w = int(bits.number(3));
    for (int i = 0; i < n; i++)
        defcCodeLengthLengths[i] = int32_t(bits.number(w));
    if (bits.failed) return defcDamaged;

    defcNodeCount = 0;
    if (!defcCodesAssign(n, defcCodeLengthLengths, defcCodeLengthCodes) ||
        !defcTreeBuild(&defcCodeLengthRoot, defcCodeLengthCodes, defcCodeLengthLengths, n))
        return defcDamaged;

    int32_t previous = 0;
    int i = 0;
    while (i < defcAllLengths) {
        int32_t s = bits.symbol(defcCodeLengthRoot);
        if (s < 0) return defcDamaged;
        if (s <= n - 4) {
            defcLengthStore(i++, s);
            previous = s;
            continue;
        }
        int32_t value;
        int count;
        if (s == n - 3) {
            value = previous;
            count = 3 + int(bits.number(2));
        } else if (s == n - 2) {
            value = 0;
            count = 3 + int(bits.number(3));
        } else {
            value = 0;
            count = 11 + int(bits.number(7));
        }
        if (bits.failed || i + count > defcAllLengths) return defcDamaged;
        while (count-- > 0)
            defcLengthStore(i++, value);
        previous = value;
    }

    if (!defcCodesAssign(defcLiteralSymbols, defcLiteralLengths, defcLiteralCodes) ||
        !defcCodesAssign(defcDistanceSymbols, defcDistanceLengths, defcDistanceCodes))
        return defcDamaged;
    // The code-length tree is done with: both data trees reuse the pool from its start.
    defcNodeCount = 0;
    if (!defcTreeBuild(&defcLiteralRoot, defcLiteralCodes, defcLiteralLengths,
                       defcLiteralSymbols) ||
        !defcTreeBuild(&defcDistanceRoot, defcDistanceCodes, defcDistanceLengths,
                       defcDistanceSymbols))
        return defcDamaged;

    size_t p = 0;
    DefcResult result = defcDamaged;
    for (;;) {
        int32_t s = bits.symbol(defcLiteralRoot);
        if (s < 0) break;
        if (s < 256) {
            if (p >= capacity) break;
            destination[p++] = uint8_t(s);
            continue;
        }
        if (s == 256) {
            result = defcOk;
            break;
        }
        int index = s - 257;
        if (index >= 29) break;
        size_t length = defcLengthBase[index] + bits.number(defcLengthExtra[index]);
        int32_t d = bits.symbol(defcDistanceRoot);
        if (d < 0 || d >= 30) break;
        size_t distance = defcDistanceBase[d] + bits.number(defcDistanceExtra[d]);
        if (bits.failed || distance > p || length > capacity - p) break;
        // One byte at a time: a distance shorter than the length repeats the last bytes.
        const uint8_t *from = destination + (p - distance);
        uint8_t *to = destination + p;
        for (size_t k = 0; k < length; k++)
            to[k] = from[k];
        p += length;
    }
    if (written) *written = p;
    return result;
}
