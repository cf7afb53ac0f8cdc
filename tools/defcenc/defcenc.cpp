// DEFc encoder: greedy-with-one-step-lazy LZ77 over hash chains, then length-limited
// Huffman codes for the literal/length, distance and code-length alphabets. Everything is
// deterministic, so the same image always gives the same bytes.
#include "defcenc.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <queue>
#include <string>

namespace {

constexpr int literalSymbols = 286;
constexpr int distanceSymbols = 30;
constexpr int codeLengthSymbols = 19; // lengths 0 to 15 and the runs 16, 17, 18
constexpr int maxDataCodeLength = 15;
constexpr int maxCodeLengthCodeLength = 7; // fits the 3-bit width field
constexpr int windowSize = 32768;
constexpr int minMatch = 3;
constexpr int maxMatch = 258;
constexpr int hashBits = 16;
constexpr int maxChain = 256;

constexpr uint16_t lengthBase[29] = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                     15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                     67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr uint8_t lengthExtra[29] = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                     2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr uint16_t distanceBase[30] = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr uint8_t distanceExtra[30] = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                       6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

// One token of the LZ77 pass: a literal (length 0) or a match.
struct Token {
    uint16_t length;
    uint16_t distanceOrByte;
};

class BitWriter {
  public:
    std::vector<uint8_t> bytes;
    // count bits of value, most significant first.
    void put(uint32_t value, int count) {
        for (int i = count - 1; i >= 0; i--) {
            current = uint8_t((current << 1) | ((value >> i) & 1));
            if (++filled == 8) {
                bytes.push_back(current);
                current = 0;
                filled = 0;
            }
        }
    }
    void flush() {
        if (filled > 0) bytes.push_back(uint8_t(current << (8 - filled)));
        current = 0;
        filled = 0;
    }

  private:
    uint8_t current = 0;
    int filled = 0;
};

std::vector<Token> lz77(const uint8_t *data, size_t length) {
    std::vector<Token> tokens;
    std::vector<int32_t> head(size_t(1) << hashBits, -1);
    std::vector<int32_t> prev(length, -1);
    auto hashAt = [&](size_t p) {
        uint32_t v = uint32_t(data[p]) | uint32_t(data[p + 1]) << 8 | uint32_t(data[p + 2]) << 16;
        return (v * 2654435761u) >> (32 - hashBits);
    };
    auto insert = [&](size_t p) {
        if (p + minMatch > length) return;
        uint32_t h = hashAt(p);
        prev[p] = head[h];
        head[h] = int32_t(p);
    };
    // The longest match at p among earlier positions within the window.
    auto longest = [&](size_t p, int &bestDistance) {
        int best = 0;
        if (p + minMatch > length) return 0;
        size_t limit = std::min<size_t>(maxMatch, length - p);
        int chain = maxChain;
        for (int32_t q = head[hashAt(p)]; q >= 0 && chain-- > 0; q = prev[size_t(q)]) {
            size_t distance = p - size_t(q);
            if (distance > windowSize) break;
            if (data[size_t(q) + size_t(best)] != data[p + size_t(best)]) continue;
            size_t l = 0;
            while (l < limit && data[size_t(q) + l] == data[p + l])
                l++;
            if (int(l) > best) {
                best = int(l);
                bestDistance = int(distance);
                if (l == limit) break;
            }
        }
        return best >= minMatch ? best : 0;
    };

    // Each position is inserted only after its own search, so no match finds itself.
    size_t p = 0;
    while (p < length) {
        int distance = 0;
        int len = longest(p, distance);
        if (len == 0) {
            tokens.push_back({0, data[p]});
            insert(p);
            p++;
            continue;
        }
        size_t from = p;
        if (len < 64 && p + 1 < length) {
            // One step of lazy matching: a longer match at the next byte wins.
            insert(p);
            from = p + 1;
            int nextDistance = 0;
            int next = longest(p + 1, nextDistance);
            if (next > len) {
                tokens.push_back({0, data[p]});
                p++;
                len = next;
                distance = nextDistance;
            }
        }
        tokens.push_back({uint16_t(len), uint16_t(distance)});
        for (size_t k = from; k < p + size_t(len); k++)
            insert(k);
        p += size_t(len);
    }
    return tokens;
}

int lengthSymbol(int length) {
    int i = 28;
    while (lengthBase[i] > length)
        i--;
    return i;
}

int distanceSymbol(int distance) {
    int i = 29;
    while (distanceBase[i] > distance)
        i--;
    return i;
}

// Huffman code lengths for the frequencies, none above limit. Ties break by symbol number,
// so the result depends on the frequencies only.
std::vector<int> huffmanLengths(std::vector<uint64_t> freq, int limit) {
    size_t n = freq.size();
    std::vector<int> lengths(n, 0);
    for (;;) {
        std::vector<size_t> used;
        for (size_t i = 0; i < n; i++)
            if (freq[i] > 0) used.push_back(i);
        std::fill(lengths.begin(), lengths.end(), 0);
        if (used.empty()) return lengths;
        if (used.size() == 1) {
            lengths[used[0]] = 1;
            return lengths;
        }
        // Nodes 0..n-1 are the symbols, the rest are merged pairs.
        std::vector<int64_t> parent(n, -1);
        using Item = std::pair<uint64_t, size_t>;
        std::priority_queue<Item, std::vector<Item>, std::greater<Item>> queue;
        for (size_t i : used)
            queue.push({freq[i], i});
        while (queue.size() > 1) {
            Item a = queue.top();
            queue.pop();
            Item b = queue.top();
            queue.pop();
            size_t node = parent.size();
            parent.push_back(-1);
            parent[a.second] = int64_t(node);
            parent[b.second] = int64_t(node);
            queue.push({a.first + b.first, node});
        }
        int longest = 0;
        for (size_t i : used) {
            int depth = 0;
            for (int64_t q = parent[i]; q >= 0; q = parent[size_t(q)])
                depth++;
            lengths[i] = depth;
            longest = std::max(longest, depth);
        }
        if (longest <= limit) return lengths;
        // Too deep: flatten the frequencies and build again.
        for (uint64_t &f : freq)
            if (f > 0) f = (f >> 1) | 1;
    }
}

// Canonical codes in the order the decoder assigns them.
std::vector<uint32_t> canonicalCodes(const std::vector<int> &lengths) {
    uint32_t counts[33] = {};
    for (int l : lengths)
        counts[l]++;
    counts[0] = 0;
    uint32_t next[33] = {};
    uint32_t code = 0;
    for (int l = 1; l <= 32; l++) {
        code = (code + counts[l - 1]) << 1;
        next[l] = code;
    }
    std::vector<uint32_t> codes(lengths.size(), 0);
    for (size_t i = 0; i < lengths.size(); i++)
        if (lengths[i] != 0) codes[i] = next[lengths[i]]++;
    return codes;
}

// One code-length symbol with its extra bits.
struct LengthToken {
    int symbol;
    int extra;
};

// The 316 lengths as code-length symbols, runs folded into 16, 17 and 18.
std::vector<LengthToken> lengthTokens(const std::vector<int> &all) {
    std::vector<LengthToken> out;
    size_t i = 0;
    int previous = 0;
    while (i < all.size()) {
        int v = all[i];
        size_t run = 1;
        while (i + run < all.size() && all[i + run] == v)
            run++;
        if (v == 0 && run >= 3) {
            size_t take = std::min<size_t>(run, 138);
            if (take >= 11)
                out.push_back({18, int(take - 11)});
            else
                out.push_back({17, int(take - 3)});
            i += take;
            previous = 0;
            continue;
        }
        if (v == previous && run >= 3) {
            size_t take = std::min<size_t>(run, 6);
            out.push_back({16, int(take - 3)});
            i += take;
            continue;
        }
        out.push_back({v, 0});
        previous = v;
        i++;
    }
    return out;
}

} // namespace

std::vector<uint8_t> defcEncode(const uint8_t *data, size_t length) {
    std::vector<Token> tokens = lz77(data, length);

    std::vector<uint64_t> literalFreq(literalSymbols, 0), distanceFreq(distanceSymbols, 0);
    for (const Token &t : tokens) {
        if (t.length == 0) {
            literalFreq[t.distanceOrByte]++;
        } else {
            literalFreq[size_t(257 + lengthSymbol(t.length))]++;
            distanceFreq[size_t(distanceSymbol(t.distanceOrByte))]++;
        }
    }
    literalFreq[256] = 1;
    std::vector<int> literalLengths = huffmanLengths(literalFreq, maxDataCodeLength);
    std::vector<int> distanceLengths = huffmanLengths(distanceFreq, maxDataCodeLength);
    std::vector<uint32_t> literalCodes = canonicalCodes(literalLengths);
    std::vector<uint32_t> distanceCodes = canonicalCodes(distanceLengths);

    std::vector<int> all(literalLengths);
    all.insert(all.end(), distanceLengths.begin(), distanceLengths.end());
    std::vector<LengthToken> lengthSymbols = lengthTokens(all);
    std::vector<uint64_t> codeLengthFreq(codeLengthSymbols, 0);
    for (const LengthToken &t : lengthSymbols)
        codeLengthFreq[size_t(t.symbol)]++;
    std::vector<int> codeLengthLengths = huffmanLengths(codeLengthFreq, maxCodeLengthCodeLength);
    std::vector<uint32_t> codeLengthCodes = canonicalCodes(codeLengthLengths);

    BitWriter bits;
    const char magic[4] = {'D', 'E', 'F', 'c'};
    bits.bytes.insert(bits.bytes.end(), magic, magic + 4);
    for (int i = 0; i < 4; i++)
        bits.bytes.push_back(uint8_t(uint64_t(length) >> (8 * i)));
    bits.bytes.push_back(uint8_t(codeLengthSymbols));

    bits.put(3, 3); // width of each code-length-code length
    for (int l : codeLengthLengths)
        bits.put(uint32_t(l), 3);
    for (const LengthToken &t : lengthSymbols) {
        bits.put(codeLengthCodes[size_t(t.symbol)], codeLengthLengths[size_t(t.symbol)]);
        if (t.symbol == 16) bits.put(uint32_t(t.extra), 2);
        if (t.symbol == 17) bits.put(uint32_t(t.extra), 3);
        if (t.symbol == 18) bits.put(uint32_t(t.extra), 7);
    }
    for (const Token &t : tokens) {
        if (t.length == 0) {
            bits.put(literalCodes[t.distanceOrByte], literalLengths[t.distanceOrByte]);
            continue;
        }
        int ls = lengthSymbol(t.length);
        bits.put(literalCodes[size_t(257 + ls)], literalLengths[size_t(257 + ls)]);
        bits.put(uint32_t(t.length - lengthBase[ls]), lengthExtra[ls]);
        int ds = distanceSymbol(t.distanceOrByte);
        bits.put(distanceCodes[size_t(ds)], distanceLengths[size_t(ds)]);
        bits.put(uint32_t(t.distanceOrByte - distanceBase[ds]), distanceExtra[ds]);
    }
    bits.put(literalCodes[256], literalLengths[256]);
    bits.flush();
    return bits.bytes;
}

bool defcFileWrite(const char *path, const std::vector<uint8_t> &bytes) {
    FILE *f = fopen(path, "wb");
    if (!f) return false;
    bool ok = fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return fclose(f) == 0 && ok;
}

bool defcFileRead(const char *path, std::vector<uint8_t> &bytes) {
    FILE *f = fopen(path, "rb");
    if (!f) return false;
    bytes.clear();
    uint8_t buffer[65536];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, f)) > 0)
        bytes.insert(bytes.end(), buffer, buffer + got);
    fclose(f);
    return true;
}

bool defcPamWrite(const char *path, const uint8_t *rgba, int width, int height) {
    std::string header = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " +
                         std::to_string(height) +
                         "\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n";
    std::vector<uint8_t> bytes(header.begin(), header.end());
    bytes.insert(bytes.end(), rgba, rgba + size_t(width) * size_t(height) * 4);
    return defcFileWrite(path, bytes);
}

bool defcPamRead(const char *path, std::vector<uint8_t> &rgba, int &width, int &height) {
    std::vector<uint8_t> bytes;
    if (!defcFileRead(path, bytes)) return false;
    std::string text(bytes.begin(), bytes.end());
    size_t end = text.find("ENDHDR\n");
    if (text.compare(0, 3, "P7\n") != 0 || end == std::string::npos) return false;
    int depth = 0, maxval = 0;
    width = height = 0;
    size_t pos = 3;
    while (pos < end) {
        size_t eol = text.find('\n', pos);
        std::string line = text.substr(pos, eol - pos);
        sscanf(line.c_str(), "WIDTH %d", &width);
        sscanf(line.c_str(), "HEIGHT %d", &height);
        sscanf(line.c_str(), "DEPTH %d", &depth);
        sscanf(line.c_str(), "MAXVAL %d", &maxval);
        pos = eol + 1;
    }
    size_t need = size_t(width) * size_t(height) * 4;
    size_t start = end + 7;
    if (width <= 0 || height <= 0 || depth != 4 || maxval != 255 || bytes.size() - start < need)
        return false;
    rgba.assign(bytes.begin() + long(start), bytes.begin() + long(start + need));
    return true;
}
