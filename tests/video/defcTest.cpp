// The DEFc decoder on hand-built streams, on damaged files, and against the encoder of
// tools/defcenc (round trips on varied data and on the three committed atlases).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <numeric>
#include <string>
#include <vector>

#include "defcenc.h"
#include "video/defc.h"

namespace {

using Bytes = std::vector<uint8_t>;

// Writes numbers most significant bit first, as the format does.
struct BitOut {
    Bytes bytes;
    int filled = 0;
    void put(uint32_t value, int count) {
        for (int i = count - 1; i >= 0; i--) {
            if (filled == 0) bytes.push_back(0);
            bytes.back() |= uint8_t(((value >> i) & 1) << (7 - filled));
            filled = (filled + 1) % 8;
        }
    }
};

// Canonical codes, computed here independently of the decoder.
std::vector<uint32_t> codesOf(const std::vector<int> &lengths) {
    std::vector<uint32_t> codes(lengths.size(), 0);
    uint32_t code = 0;
    for (int len = 1; len <= 31; len++) {
        for (size_t s = 0; s < lengths.size(); s++)
            if (lengths[s] == len) codes[s] = code++;
        code <<= 1;
    }
    return codes;
}

struct LengthSymbol {
    int symbol, extra;
};
// A data token: a literal byte, a match (length, distance symbol, distance extra), or the end.
struct Data {
    int symbol;    // 0 to 285; -1 puts sixteen 1 bits
    int extra = 0; // the length's extra bits
    int distance = -1;
    int distanceExtra = 0;
};

const int lengthExtraBits[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                 2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
const int distanceExtraBits[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                   6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// A whole file from its parts: the code-length alphabet of n symbols with its lengths, the
// 316 lengths as code-length symbols, and the data. The literal and distance codes are
// derived here from the expanded lengths.
Bytes buildFile(int n, int w, const std::vector<int> &clLengths,
                const std::vector<LengthSymbol> &lengthSymbols, const std::vector<Data> &data) {
    Bytes file = {'D', 'E', 'F', 'c', 0, 0, 0, 0, uint8_t(n)};
    BitOut out;
    out.put(uint32_t(w), 3);
    for (int l : clLengths)
        out.put(uint32_t(l), w);
    std::vector<uint32_t> clCodes = codesOf(clLengths);
    std::vector<int> all;
    int previous = 0;
    for (const LengthSymbol &t : lengthSymbols) {
        out.put(clCodes[size_t(t.symbol)], clLengths[size_t(t.symbol)]);
        if (t.symbol <= n - 4) {
            all.push_back(t.symbol);
            previous = t.symbol;
        } else if (t.symbol == n - 3) {
            out.put(uint32_t(t.extra), 2);
            all.insert(all.end(), size_t(3 + t.extra), previous);
        } else if (t.symbol == n - 2) {
            out.put(uint32_t(t.extra), 3);
            all.insert(all.end(), size_t(3 + t.extra), 0);
            previous = 0;
        } else {
            out.put(uint32_t(t.extra), 7);
            all.insert(all.end(), size_t(11 + t.extra), 0);
            previous = 0;
        }
    }
    all.resize(316, 0);
    std::vector<int> lit(all.begin(), all.begin() + 286), dist(all.begin() + 286, all.end());
    std::vector<uint32_t> litCodes = codesOf(lit), distCodes = codesOf(dist);
    for (const Data &d : data) {
        if (d.symbol < 0) { // sixteen 1 bits, whatever they mean
            out.put(0xFFFF, 16);
            continue;
        }
        out.put(litCodes[size_t(d.symbol)], lit[size_t(d.symbol)]);
        if (d.symbol > 256) {
            out.put(uint32_t(d.extra), lengthExtraBits[d.symbol - 257]);
            out.put(distCodes[size_t(d.distance)], dist[size_t(d.distance)]);
            out.put(uint32_t(d.distanceExtra), distanceExtraBits[d.distance]);
        }
    }
    file.insert(file.end(), out.bytes.begin(), out.bytes.end());
    return file;
}

// Decodes into an exact-size heap buffer, so that the sanitizer build catches a write past it.
DefcResult decode(const Bytes &file, Bytes &out, size_t capacity, size_t *written) {
    out.assign(capacity, 0xAA);
    Bytes copy(file); // exactly the file's length, for the same reason
    return defcDecode(copy.empty() ? nullptr : copy.data(), copy.size(), out.data(), capacity,
                      written);
}

const Bytes example = {0x44, 0x45, 0x46, 0x63, 0x04, 0x00, 0x00, 0x00, 0x13, 0x45, 0x00,
                       0x00, 0x00, 0x00, 0x9B, 0x4F, 0xE5, 0x3E, 0x23, 0x09, 0x34};

std::string sourceRoot() {
    const char *root = getenv("COGMIRE_SOURCE");
    return root ? root : ".";
}

Bytes readAtlas(const char *name) {
    Bytes bytes;
    EXPECT_TRUE(defcFileRead((sourceRoot() + "/gfx/" + name).c_str(), bytes)) << name;
    return bytes;
}

} // namespace

TEST(DefcDecode, TheTwentyOneByteExampleGivesFourA) {
    Bytes out;
    size_t written = 0;
    EXPECT_EQ(decode(example, out, 16, &written), defcOk);
    ASSERT_EQ(written, 4u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 4), (Bytes{0x41, 0x41, 0x41, 0x41}));
    EXPECT_EQ(out[4], 0xAA);
}

TEST(DefcDecode, TheHandBuiltExampleMatchesTheGivenBytes) {
    // The same file put together from its description checks the test's own builder.
    std::vector<int> cl(19, 0);
    cl[1] = 2, cl[2] = 2, cl[18] = 1;
    Bytes file = buildFile(
        19, 2, cl,
        {{18, 54}, {1, 0}, {18, 127}, {18, 41}, {2, 0}, {2, 0}, {18, 17}, {1, 0}, {18, 18}},
        {{0x41}, {257, 0, 0, 0}, {256}});
    file[4] = 4;
    EXPECT_EQ(file, example);
}

TEST(DefcDecode, AWrongMagicByteLeavesTheDestinationUntouched) {
    for (int i = 0; i < 4; i++) {
        Bytes file = example;
        file[size_t(i)] ^= (i == 3 ? 0x20 : 0x01); // the fourth as 0x43 in place of 0x63
        Bytes out;
        size_t written = 99;
        EXPECT_EQ(decode(file, out, 64, &written), defcBadMagic) << i;
        EXPECT_EQ(written, 0u);
        EXPECT_EQ(out, Bytes(64, 0xAA)) << i;
    }
    Bytes out;
    EXPECT_EQ(decode(Bytes{'D', 'E', 'F'}, out, 8, nullptr), defcBadMagic);
    EXPECT_EQ(decode(Bytes{}, out, 8, nullptr), defcBadMagic);
    EXPECT_EQ(out, Bytes(8, 0xAA));
}

TEST(DefcDecode, AZeroRunGoesOnFromLiteralIntoDistanceLengths) {
    std::vector<int> cl(19, 0);
    cl[0] = 2, cl[1] = 2, cl[3] = 2, cl[18] = 2;
    // Symbols 65 to 68, 256 and 257 take length 3; a run of 31 zeros covers 258 to 285 and
    // distance symbols 0 to 2; distance symbol 3 (distance 4) takes length 1.
    std::vector<LengthSymbol> lengths = {{18, 54}, {3, 0}, {3, 0}, {3, 0},   {3, 0}, {18, 127},
                                         {18, 38}, {3, 0}, {3, 0}, {18, 20}, {1, 0}, {18, 15}};
    Bytes file = buildFile(19, 2, cl, lengths, {{'A'}, {'B'}, {'C'}, {'D'}, {257, 0, 3, 0}, {256}});
    Bytes out;
    size_t written = 0;
    ASSERT_EQ(decode(file, out, 64, &written), defcOk);
    EXPECT_EQ(std::string(out.begin(), out.begin() + long(written)), "ABCDABC");
}

TEST(DefcDecode, DistanceOneWithLength258RepeatsTheLastByte) {
    std::vector<int> cl(19, 0);
    cl[1] = 2, cl[2] = 2, cl[18] = 1;
    // 'Z' length 1, 256 and 285 length 2, distance symbol 0 length 1.
    Bytes file = buildFile(
        19, 2, cl,
        {{18, 79}, {1, 0}, {18, 127}, {18, 16}, {2, 0}, {18, 17}, {2, 0}, {1, 0}, {18, 18}},
        {{'Z'}, {285, 0, 0, 0}, {256}});
    Bytes out;
    size_t written = 0;
    ASSERT_EQ(decode(file, out, 300, &written), defcOk);
    ASSERT_EQ(written, 259u);
    EXPECT_EQ(Bytes(out.begin(), out.begin() + 259), Bytes(259, 'Z'));
    EXPECT_EQ(out[259], 0xAA);
}

TEST(DefcDecode, ACopyFirstRepeatsZeroAndTheLargestAlphabetMovesTheRunSymbols) {
    // n = 35, w = 5: lengths 0 to 31, copy 32, zero runs 33, 34. The first copy repeats 0;
    // 'A' takes length 1, 'B' to 'E' and 'Z' 31 (the copy after a zero run repeats 0);
    // 256 takes 2, 257 3, distance symbol 0 takes 1.
    std::vector<int> cl(35, 0);
    cl[1] = cl[2] = cl[3] = cl[31] = cl[32] = cl[33] = 3, cl[34] = 2;
    std::vector<LengthSymbol> lengths = {{32, 0}, {34, 51}, {1, 0},  {31, 0},   {32, 0},  {33, 5},
                                         {32, 1}, {33, 5},  {31, 0}, {34, 127}, {34, 16}, {2, 0},
                                         {3, 0},  {34, 17}, {1, 0},  {34, 18}};
    Bytes file = buildFile(35, 5, cl, lengths,
                           {{'A'}, {'B'}, {'C'}, {257, 0, 0, 0}, {'E'}, {'D'}, {'Z'}, {256}});
    Bytes out;
    size_t written = 0;
    ASSERT_EQ(decode(file, out, 16, &written), defcOk);
    EXPECT_EQ(std::string(out.begin(), out.begin() + long(written)), "ABCCCCEDZ");
    // One byte short: the last literal does not fit.
    EXPECT_EQ(decode(file, out, 8, &written), defcDamaged);
    EXPECT_EQ(written, 8u);
}

TEST(DefcDecode, AnIncompleteCodeDecodesItsCodesAndStopsOnAMissingOne) {
    // Literal/length code: 'A' 2, 256 2, 257 2 (code 11 free); one-code distance tree.
    std::vector<int> cl(19, 0);
    cl[1] = 2, cl[2] = 2, cl[18] = 1;
    std::vector<LengthSymbol> lengths = {{18, 54}, {2, 0},   {18, 127}, {18, 41}, {2, 0},
                                         {2, 0},   {18, 17}, {1, 0},    {18, 18}};
    Bytes good = buildFile(19, 2, cl, lengths, {{'A'}, {'A'}, {257, 0, 0, 0}, {256}});
    Bytes out;
    size_t written = 0;
    ASSERT_EQ(decode(good, out, 16, &written), defcOk);
    EXPECT_EQ(written, 5u);

    // Two literals, then the unused code 11 and nothing sensible after it.
    Bytes bad = buildFile(19, 2, cl, lengths, {{'A'}, {'A'}, {-1}});
    EXPECT_EQ(decode(bad, out, 16, &written), defcDamaged);
    EXPECT_EQ(written, 2u);
}

TEST(DefcDecode, FilesThatBreakALimitStopTheDecode) {
    Bytes out;
    size_t written = 0;
    // More code-length symbols than there is room for.
    Bytes big = example;
    big[8] = 36;
    EXPECT_EQ(decode(big, out, 16, &written), defcDamaged);
    // A code-length-code length above 31 (w = 7 allows 127).
    std::vector<int> cl(19, 0);
    cl[1] = 40, cl[18] = 1;
    EXPECT_EQ(decode(buildFile(19, 7, cl, {}, {}), out, 16, &written), defcDamaged);
    // A zero run that runs past the 316th length.
    std::vector<int> runs(19, 0);
    runs[1] = 1, runs[18] = 1;
    EXPECT_EQ(
        decode(buildFile(19, 1, runs, {{18, 127}, {18, 127}, {18, 127}}, {}), out, 16, &written),
        defcDamaged);
    // A distance beyond the bytes written so far.
    std::vector<int> cl2(19, 0);
    cl2[1] = 2, cl2[2] = 2, cl2[18] = 1;
    std::vector<LengthSymbol> lengths = {{18, 54}, {1, 0},   {18, 127}, {18, 41}, {2, 0},
                                         {2, 0},   {18, 17}, {1, 0},    {18, 18}};
    EXPECT_EQ(decode(buildFile(19, 2, cl2, lengths, {{257, 0, 0, 0}, {256}}), out, 16, &written),
              defcDamaged);
    EXPECT_EQ(written, 0u);
    // The source ends before the end symbol.
    Bytes cut = example;
    cut.resize(19);
    EXPECT_EQ(decode(cut, out, 16, &written), defcDamaged);
    Bytes header = example;
    header.resize(9);
    EXPECT_EQ(decode(header, out, 16, &written), defcDamaged);
    // The output does not fit the destination: the decoder fills it and stops.
    EXPECT_EQ(decode(example, out, 3, &written), defcDamaged);
    EXPECT_EQ(written, 1u); // the match of 3 after the first byte would pass the end
    EXPECT_EQ(decode(example, out, 1, &written), defcDamaged);
    EXPECT_EQ(written, 1u);
}

TEST(DefcDecode, TreesStopWhenThePoolRunsOut) {
    // 286 codes of length 31 with scattered bits need far more than 1024 nodes.
    std::vector<int32_t> lengths(286, 31), codes(286);
    uint32_t x = 12345;
    for (int32_t &c : codes) {
        x = x * 1103515245u + 12345u;
        c = int32_t(x & 0x7FFFFFFF);
    }
    int32_t root = -1;
    defcNodeCount = 0;
    EXPECT_FALSE(defcTreeBuild(&root, codes.data(), lengths.data(), 286));
    EXPECT_LE(defcNodeCount, 1024);
    // 511 codes of 9 bits and one of 10 take exactly the 1024 nodes of the pool.
    std::vector<int32_t> full(512, 9), fullCodes(512);
    std::iota(fullCodes.begin(), fullCodes.end(), 0);
    full[511] = 10, fullCodes[511] = 1022;
    defcNodeCount = 0;
    EXPECT_TRUE(defcTreeBuild(&root, fullCodes.data(), full.data(), 512));
    EXPECT_EQ(defcNodeCount, 1024);
    // A length above 31 is refused by the code assignment.
    std::vector<int32_t> tooLong = {1, 32};
    std::vector<int32_t> out(2);
    EXPECT_FALSE(defcCodesAssign(2, tooLong.data(), out.data()));
    // Length 0 takes no code and no place; 31 is the longest.
    std::vector<int32_t> mixed = {0, 31, 1}, mixedCodes = {-5, -5, -5};
    ASSERT_TRUE(defcCodesAssign(3, mixed.data(), mixedCodes.data()));
    EXPECT_EQ(mixedCodes, (std::vector<int32_t>{-5, 1 << 30, 0}));
}

TEST(DefcRoundTrip, VariedDataComesBackExactly) {
    std::vector<Bytes> cases;
    cases.push_back({});
    cases.push_back({7});
    cases.push_back(Bytes(100000, 0));
    Bytes noise(70000);
    uint32_t x = 1;
    for (uint8_t &b : noise) {
        x = x * 1664525u + 1013904223u;
        b = uint8_t(x >> 24);
    }
    cases.push_back(noise);
    // A pattern that repeats 32768 bytes later: the longest distance there is.
    Bytes far(32768 + 5000);
    for (size_t i = 0; i < far.size(); i++)
        far[i] = uint8_t((i % 32768) * 7 / 13 + (i % 3));
    cases.push_back(far);
    // An RGBA gradient with sprinkled texels, like a picture.
    Bytes image(256 * 256 * 4);
    for (size_t i = 0; i < image.size(); i++)
        image[i] = uint8_t((i / 4) % 256 + ((i % 4) == 3 ? 255 : 0) + ((i * 2654435761u) >> 30));
    cases.push_back(image);
    for (const Bytes &input : cases) {
        Bytes file = defcEncode(input.data(), input.size());
        Bytes out;
        size_t written = 0;
        ASSERT_EQ(decode(file, out, input.size() + 16, &written), defcOk) << input.size();
        ASSERT_EQ(written, input.size());
        EXPECT_TRUE(std::equal(input.begin(), input.end(), out.begin())) << input.size();
    }
}

TEST(DefcRoundTrip, TheThreeAtlasesDecodeAndReencode) {
    for (const char *name : {"textureSplash.dtt", "textureMenu.dtt", "textureGame.dtt"}) {
        Bytes file = readAtlas(name);
        ASSERT_GT(file.size(), 9u);
        Bytes pixels;
        size_t written = 0;
        ASSERT_EQ(decode(file, pixels, 512 * 512 * 4, &written), defcOk) << name;
        ASSERT_EQ(written, size_t(512 * 512 * 4)) << name;
        // Far below the raw image.
        EXPECT_LT(file.size(), size_t(512 * 512 * 4) / 4) << name;
        Bytes again = defcEncode(pixels.data(), pixels.size());
        EXPECT_EQ(again, file) << name << ": the encoder no longer gives the committed bytes";
        Bytes back;
        ASSERT_EQ(decode(again, back, 512 * 512 * 4, &written), defcOk);
        EXPECT_EQ(back, pixels) << name;
    }
}

TEST(DefcDamaged, ACutAtlasNeverPassesItsBuffers) {
    Bytes file = readAtlas("textureMenu.dtt");
    ASSERT_GT(file.size(), 1000u);
    Bytes out;
    size_t written = 0;
    for (size_t cut = 0; cut < file.size(); cut += (cut < 64 ? 1 : 1531)) {
        Bytes part(file.begin(), file.begin() + long(cut));
        DefcResult r = decode(part, out, 512 * 512 * 4, &written);
        EXPECT_NE(r, defcOk) << cut;
        EXPECT_LE(written, size_t(512 * 512 * 4));
    }
    // Into a destination too small for it.
    EXPECT_EQ(decode(file, out, 5000, &written), defcDamaged);
    EXPECT_LE(written, 5000u);
    EXPECT_GT(written, 4000u);
}

TEST(DefcDamaged, FlippedBitsNeverPassTheBuffers) {
    Bytes file = readAtlas("textureSplash.dtt");
    ASSERT_GT(file.size(), 1000u);
    uint32_t x = 99;
    Bytes out;
    size_t written = 0;
    for (int k = 0; k < 150; k++) {
        Bytes damaged = file;
        // Mostly early in the file, where the code tables live.
        x = x * 1664525u + 1013904223u;
        size_t span = k % 2 ? damaged.size() : std::min<size_t>(damaged.size(), 400);
        size_t at = 8 + (x >> 8) % (span - 8);
        damaged[at] ^= uint8_t(1u << (x % 8));
        decode(damaged, out, 512 * 512 * 4, &written);
        EXPECT_LE(written, size_t(512 * 512 * 4));
    }
}

namespace {

struct Atlas {
    Bytes px;
    const uint8_t *at(int x, int y) const { return &px[(size_t(y) * 512 + size_t(x)) * 4]; }
};

Atlas decodeAtlas(const char *name) {
    Atlas a;
    size_t written = 0;
    EXPECT_EQ(decode(readAtlas(name), a.px, 512 * 512 * 4, &written), defcOk);
    a.px.resize(512 * 512 * 4);
    return a;
}

} // namespace

TEST(MenuAtlas, KeysSitWhereTheScreensPutThem) {
    // Key centres (1280 - 23.5 + 5j, -7.6 + 5i) on the plane, the picture centred at
    // (1280, 0) at scale 0.2: texel (30.5 + 25j, 175 + 25i) of the atlas.
    Atlas a = decodeAtlas("textureMenu.dtt");
    for (int i = 0; i < 4; i++)
        for (int j = 0; j < 10; j++) {
            float kx = 30.5f + 25 * j, ky = 175.0f + 25 * i;
            for (float dx : {-8.0f, 8.0f})
                for (float dy : {-8.0f, 8.0f}) {
                    const uint8_t *cap = a.at(int(kx + dx), int(ky + dy));
                    EXPECT_EQ(cap[3], 255) << i << "," << j;
                    if (i == 3 && j == 9)
                        EXPECT_GT(cap[1], cap[0] + 40) << "the done key is green";
                    else
                        EXPECT_GT(cap[0], 150) << i << "," << j;
                }
            // Between two keys the dark panel shows.
            EXPECT_LT(a.at(int(kx + 12.5f), int(ky))[0], 100) << i << "," << j;
            EXPECT_LT(a.at(int(kx), int(ky + 12.5f))[0], 100) << i << "," << j;
        }
}

TEST(MenuAtlas, SmallGlyphsInsideOtherPicturesStayReadable) {
    Atlas a = decodeAtlas("textureMenu.dtt");
    auto alpha = [&](int x, int y) { return a.at(x, y)[3]; };
    // "-" (361, 184)-(384, 205): a bar in the middle, nothing at the rectangle's edges.
    EXPECT_EQ(alpha(372, 194), 255);
    for (int x = 361; x < 384; x++)
        EXPECT_EQ(alpha(x, 184) + alpha(x, 204), 0) << x;
    for (int y = 184; y < 205; y++)
        EXPECT_EQ(alpha(361, y) + alpha(383, y), 0) << y;
    // "." (333, 56)-(352, 89): a dot at the foot, clear above.
    EXPECT_EQ(alpha(342, 85), 255);
    for (int y = 56; y < 78; y++)
        for (int x = 333; x < 352; x++)
            ASSERT_EQ(alpha(x, y), 0) << x << "," << y;
    // "I" keeps to the five columns between ":" and "@".
    for (int x = 257; x < 262; x++)
        EXPECT_EQ(alpha(x, 21), 255) << x;
    for (int y = 20; y < 32; y++)
        for (int x = 250; x < 257; x++)
            ASSERT_EQ(alpha(x, y), 0) << x << "," << y;
    for (int y = 18; y < 33; y++)
        EXPECT_EQ(alpha(262, y), 0) << y;
    // Every letter and digit has ink, and white ink, so that the menu colours tint it: glyphs
    // 0 to 15 span rows 0 to 42, 16 to 25 rows 46 to 90, 26 to 35 rows 94 to 137.
    const int x0x1[72] = {1,   31,  33,  66,  66,  94,  96,  124, 126, 152, 155, 181, 182, 214, 217,
                          249, 248, 270, 272, 297, 298, 328, 329, 354, 357, 395, 396, 427, 428, 460,
                          463, 493, 1,   31,  35,  64,  67,  99,  103, 130, 133, 161, 167, 194, 197,
                          234, 234, 266, 266, 297, 297, 331, 8,   38,  44,  65,  66,  96,  99,  128,
                          131, 160, 162, 190, 193, 223, 226, 254, 258, 292, 295, 328};
    for (int g = 0; g < 36; g++) {
        int ink = 0, y0 = g < 16 ? 0 : g < 26 ? 46 : 94, y1 = g < 16 ? 42 : g < 26 ? 90 : 137;
        for (int y = y0; y < y1; y++)
            for (int x = x0x1[2 * g]; x < x0x1[2 * g + 1]; x++) {
                const uint8_t *t = a.at(x, y);
                if (t[3] == 255) {
                    ink++;
                    EXPECT_EQ(t[0] + t[1] + t[2], 3 * 255) << g;
                }
            }
        EXPECT_GT(ink, 80) << "glyph " << g;
    }
}
